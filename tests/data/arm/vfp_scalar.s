@ The Advanced SIMD scalar moves and duplications of the VFP register-transfer space for
@ the round trip (armv7-a, neon-vfpv4), both syntaxes (they have only unified names).
	.syntax unified
	.arm
	.text
	.global vfp_scalar
	.type vfp_scalar, %function
vfp_scalar:
	vmov.8 d0[0], r0
	vmov.8 d1[7], r1
	vmov.16 d2[0], r2
	vmoveq.16 d31[3], r3
	vmov.s8 r0, d0[1]
	vmov.u8 r1, d1[6]
	vmov.s16 r2, d2[2]
	vmov.u16 r3, d31[3]
	vdup.8 d0, r0
	vdup.8 q1, r1
	vdup.16 d2, r2
	vdup.16 q15, r3
	vdup.32 d31, r4
	vdupeq.32 q0, r5
	.rept 16
	vmov.s8 r5, d6[5]
	.endr
	bx lr
