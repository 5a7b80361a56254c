@ A broad A32 source for the assemble -> disassemble -> re-assemble round trip (armv7-a).
	.syntax unified
	.arm
	.arch_extension idiv
	.arch_extension virt
	.arch_extension sec
	.arch_extension mp
	.text
	.global start
	.type start, %function
start:
	b start
	bl later
	bne later
	bleq start
	blx thumbcode
	adr r0, start
	adr r1, near
near:
	.include "a32_body.inc"
	.type later, %function
later:
	mov r0, r0
	bx lr
	.type thumbcode, %function
	.thumb
thumbcode:
	bx lr
