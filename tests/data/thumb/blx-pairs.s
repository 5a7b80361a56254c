@ ARMv5TE Thumb: BLX pairs to ARM functions beside BL pairs, and the v5T additions
@ (assembled for armv5te and armv6, listed with -arch v5TE and v6).
	.syntax unified
	.text
	.thumb
	.global caller
	.thumb_func
	.type caller, %function
caller:
	push {r4, lr}
	blx armHelper
	bl thumbHelper
	blx r3
	bkpt #0x55
	blx armHelper
	pop {r4, pc}
	.thumb_func
	.type thumbHelper, %function
thumbHelper:
	blx armHelper
	bx lr
	.arm
	.type armHelper, %function
armHelper:
	blx thumbHelper
	bx lr
