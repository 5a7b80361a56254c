@ ARMv7-R Thumb-2: the hardware divide of the R profile (the rest of the profile's
@ Thumb-2 is in thumb2-core.s and aprofile.s, assembled for armv7-r too).
	.syntax unified
	.thumb
	.text
	.global divide
	.thumb_func
	.type divide, %function
divide:
	sdiv r0, r1, r2
	udiv r3, r4, r5
	sdiv r8, r9, r10
	udiv r11, r12, lr
	it eq
	sdiveq r0, r0, r1
	bx lr
