@ ARMv4T Thumb: BL as a pair of 16-bit halves, which the listing prints as one line on
@ v4T, v5TE and v6 (assembled for each of them): forward, backward, to itself and across
@ 4 KB, so that the first half carries offset bits too.
	.syntax unified
	.thumb
	.text
	.global pairs
	.thumb_func
	.type pairs, %function
pairs:
	push {r4, lr}
	bl far
	bl near
	bl pairs
	movs r0, #1
	lsls r1, r0, #3
	ldr r2, [r1, #4]
	strb r2, [r1, r0]
	pop {r4, pc}
	.thumb_func
	.type near, %function
near:
	bl pairs
	bx lr
	.space 0x1000
	.thumb_func
	.type far, %function
far:
	bl near
	bl pairs
	mov pc, lr
