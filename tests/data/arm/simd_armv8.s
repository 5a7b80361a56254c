@ The ARMv8 Advanced SIMD additions (armv8-a with crypto-neon-fp-armv8) for the round
@ trips, as A32 and as Thumb-2: vmaxnm/vminnm, the vrint and vcvt rounding forms, the
@ fused forms.
@
@ Kept out: the cryptographic forms (aese, aesd, aesmc, aesimc, sha1*, sha256*,
@ vmull.p64), which print "undefined opcode", and VFP forms on s registers.
	.syntax unified
	.fpu crypto-neon-fp-armv8
	.text
	.global simd8
	.type simd8, %function
simd8:
	vmaxnm.f32 d0, d1, d2
	vminnm.f32 q0, q1, q2
	vrinta.f32 d0, d1
	vrintn.f32 q0, q1
	vrintp.f32 d0, d1
	vrintm.f32 q0, q1
	vrintx.f32 d0, d1
	vrintz.f32 q0, q1
	vcvta.s32.f32 d0, d1
	vcvtn.u32.f32 q0, q1
	vcvtp.s32.f32 q0, q1
	vcvtm.u32.f32 d0, d1
	vfma.f32 q8, q9, q10
	vmaxnm.f32 q8, q9, q15
	vrintz.f32 d31, d16
	vcvtm.s32.f32 q15, q8
	vmaxnm.f32 q4, q5, q6
	vminnm.f32 d7, d8, d9
	vrinta.f32 q2, q3
	vrintn.f32 d4, d5
	vrintp.f32 q6, q7
	vrintm.f32 d31, d30
	vrintx.f32 q10, q11
	vrintz.f32 d12, d13
	vcvta.u32.f32 q2, q3
	vcvtn.s32.f32 d4, d5
	vcvtp.u32.f32 d6, d7
	vcvtm.s32.f32 d8, d9
	vfms.f32 d16, d17, d18
	vfma.f32 q12, q13, q14
	vadd.i32 q0, q1, q2
	bx lr
