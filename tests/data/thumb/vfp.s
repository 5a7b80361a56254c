@ VFPv4 in Thumb-2 for the round trip (armv7-a with vfpv4, armv7e-m with fpv5-d16), every
@ class, registers d0-d15 only. Texts the round trip replaces by their original bytes
@ (tests/arm/RoundTripTest.cpp lists them): the immediate move in unified syntax (its encoded
@ value is read as a floating-point value) and compares with zero in legacy syntax
@ (fcmpzs takes no ", #0"). Kept out: FLDMX/FSTMX, whose unified text (vldmia/vpush)
@ cannot be told from the even-count form (tests/data/arm/vfp_legacy.s has them), and
@ system registers printed as "?????". IT blocks are in vfp-it.s: the assembler's legacy
@ (divided) syntax has no conditional Thumb instructions.
	.syntax unified
	.thumb
	.text
	.global vfp
	.thumb_func
	.type vfp, %function
vfp:
	vadd.f32 s0, s1, s2
	vadd.f64 d0, d1, d2
	vsub.f32 s31, s30, s29
	vsub.f64 d15, d14, d13
	vmul.f32 s3, s4, s5
	vmul.f64 d3, d4, d5
	vnmul.f32 s6, s7, s8
	vnmul.f64 d6, d7, d8
	vdiv.f32 s9, s10, s11
	vdiv.f64 d9, d10, d11
	vmla.f32 s0, s1, s2
	vmla.f64 d0, d1, d2
	vmls.f32 s0, s1, s2
	vmls.f64 d0, d1, d2
	vnmla.f32 s0, s1, s2
	vnmla.f64 d0, d1, d2
	vnmls.f32 s0, s1, s2
	vnmls.f64 d0, d1, d2
	vfma.f32 s0, s1, s2
	vfma.f64 d0, d1, d2
	vfms.f32 s0, s1, s2
	vfms.f64 d0, d1, d2
	vfnma.f32 s0, s1, s2
	vfnma.f64 d0, d1, d2
	vfnms.f32 s0, s1, s2
	vfnms.f64 d0, d1, d2
	vmov.f32 s0, s1
	vmov.f64 d0, d1
	vabs.f32 s2, s3
	vabs.f64 d2, d3
	vneg.f32 s4, s5
	vneg.f64 d4, d5
	vsqrt.f32 s6, s7
	vsqrt.f64 d6, d7
	vmov.f32 s0, #1.0
	vmov.f64 d1, #-0.5
	vcmp.f32 s0, s1
	vcmp.f64 d0, d1
	vcmpe.f32 s2, s3
	vcmpe.f64 d2, d3
	vcmp.f32 s0, #0
	vcmpe.f64 d1, #0
	vcvt.s32.f32 s0, s1
	vcvt.s32.f64 s0, d1
	vcvtr.s32.f32 s2, s3
	vcvtr.u32.f64 s2, d3
	vcvt.u32.f32 s4, s5
	vcvt.f32.s32 s0, s1
	vcvt.f64.s32 d0, s1
	vcvt.f32.u32 s2, s3
	vcvt.f64.u32 d2, s3
	vcvt.f64.f32 d0, s1
	vcvt.f32.f64 s0, d1
	vcvtb.f32.f16 s0, s1
	vcvtt.f32.f16 s2, s3
	vcvtb.f16.f32 s4, s5
	vcvtt.f16.f32 s6, s7
	vcvt.s16.f32 s0, s0, #16
	vcvt.u32.f32 s1, s1, #32
	vcvt.s32.f64 d2, d2, #1
	vcvt.u16.f64 d3, d3, #8
	vcvt.f32.s16 s4, s4, #3
	vcvt.f32.u32 s5, s5, #32
	vcvt.f64.s32 d6, d6, #20
	vcvt.f64.u16 d7, d7, #16
	@ loads and stores
	vldr s0, [r0]
	vldr s1, [r1, #4]
	vldr s2, [r2, #-1020]
	vldr d0, [r3, #8]
	vstr s31, [r12, #1020]
	vstr d15, [lr, #-4]
	vldr s3, [pc, #-0]
	vpush {d8-d15}
	vpop {d8-d15}
	vpush {s16-s31}
	vpop {s0}
	vldmia r0, {s0-s3}
	vldmia r0!, {d0-d3}
	vldmdb r1!, {s4-s7}
	vstmia r2!, {s31}
	vstmdb r3!, {d5-d6}
	vldmia sp, {d0-d1}
	vldmdb sp!, {d2-d3}
	vstmia sp!, {s0-s1}
	@ transfers between core and VFP registers
	vmov r0, r1, s2, s3
	vmov s30, s31, r2, r3
	vmov r4, r5, d6
	vmov d15, r6, r7
	vmov r0, s1
	vmov s31, r12
	vmov.32 r0, d1[1]
	vmov.32 r2, d15[0]
	vmov.32 d1[0], r0
	vmov.32 d15[1], lr
	vmrs r0, fpscr
	vmsr fpscr, r3
	vmrs APSR_nzcv, fpscr
	bx lr
	.size vfp, .-vfp
