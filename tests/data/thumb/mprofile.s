@ M-profile system instructions and the divides (ARMv7-M, ARMv7E-M, ARMv8-M Mainline).
	.syntax unified
	.thumb
	.text
	.global mprofile
	.thumb_func
	.type mprofile,%function
mprofile:
	sdiv r0, r1, r2
	udiv r0, r1, r2
	mrs r0, apsr
	mrs r0, iapsr
	mrs r0, eapsr
	mrs r0, xpsr
	mrs r0, ipsr
	mrs r0, epsr
	mrs r0, iepsr
	mrs r0, msp
	mrs r0, psp
	mrs r0, primask
	mrs r0, basepri
	mrs r0, basepri_max
	mrs r0, faultmask
	mrs r0, control
	msr apsr_nzcvq, r0
	msr iapsr_nzcvq, r1
	msr xpsr_nzcvq, r1
	msr msp, r0
	msr psp, r0
	msr primask, r0
	msr basepri, r0
	msr basepri_max, r0
	msr faultmask, r0
	msr control, r0
	cpsie i
	cpsid i
	cpsie f
	cpsid f
	it eq
	sdiveq r0, r1, r2
	bx lr
	.size mprofile, .-mprofile
