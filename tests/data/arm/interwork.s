@ ARM and Thumb functions in one section, for the listing test of labels and state switching
@ on an image made by the GNU tools (the listing switches back to ARM without a directive,
@ so the round trip puts ".arm" before armTail; interwork.lst holds the expected listing).
	.syntax unified
	.text
	.arm
	.global armEntry
	.type armEntry, %function
armEntry:
	push {r4, lr}
	blx thumbLeaf
	bl armLeaf
	ldr r0, [pc, #4]
	pop {r4, pc}
	.type table, %object
table:
	.word 0xE1A00000
	.word 0xE12FFF1E
	.type armLeaf, %function
armLeaf:
	bx lr
	.thumb
	.global thumbLeaf
	.type thumbLeaf, %function
	.thumb_func
thumbLeaf:
	push {r4, lr}
	movs r0, #1
	bl thumbWeak
	pop {r4, pc}
	.weak thumbWeak
	.type thumbWeak, %function
	.thumb_func
thumbWeak:
	.global alsoWeak
	.type alsoWeak, %function
	.thumb_func
alsoWeak:
	adds r0, r0, #1
	bx lr
	.arm
	.type armTail, %function
armTail:
	mov r0, r0
	bx lr
