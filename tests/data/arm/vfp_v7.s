@ VFPv4 for the assemble -> disassemble -> re-assemble round trip (armv7-a, vfpv4), every
@ class in both syntaxes. Texts the assembler reads differently are kept out of this
@ source, each for its reason:
@ - the immediate move prints its encoded 8-bit value ("vmov.f32 s0, #112"), which unified
@   syntax reads as the floating-point value 112.0: vfp_legacy.s holds it (legacy
@   "fconsts s0, #112" reads the encoded value);
@ - FLDMX/FSTMX (an odd word count on a double list) print as vldmia/vpush in unified
@   syntax, which encode an even count: vfp_legacy.s holds them ("fldmiax");
@ - compares with zero print ", #0", which the legacy names fcmpzs/fcmpezd do not take:
@   vfp_unified.s holds them;
@ - system registers other than fpsid, fpscr and fpexc (mvfr0, mvfr1, fpinst, fpinst2)
@   print as "?????".
	.syntax unified
	.arm
	.text
	.global vfp
	.type vfp, %function
vfp:
	@ three-register forms, both precisions, conditions, all 32 double registers
	vadd.f32 s0, s1, s2
	vaddeq.f32 s31, s30, s29
	vadd.f64 d0, d1, d2
	vaddne.f64 d16, d17, d31
	vsub.f32 s3, s4, s5
	vsubcs.f64 d3, d4, d5
	vmul.f32 s6, s7, s8
	vmul.f64 d6, d7, d8
	vnmul.f32 s9, s10, s11
	vnmulmi.f64 d9, d10, d11
	vdiv.f32 s12, s13, s14
	vdivpl.f64 d12, d13, d14
	vmla.f32 s0, s1, s2
	vmla.f64 d20, d21, d22
	vmls.f32 s0, s1, s2
	vmlsvs.f64 d20, d21, d22
	vnmla.f32 s0, s1, s2
	vnmla.f64 d23, d24, d25
	vnmls.f32 s0, s1, s2
	vnmlsvc.f64 d23, d24, d25
	@ fused multiply-accumulate (VFPv4)
	vfma.f32 s0, s1, s2
	vfmahi.f64 d0, d1, d2
	vfms.f32 s16, s17, s18
	vfms.f64 d26, d27, d28
	vfnma.f32 s0, s1, s2
	vfnmals.f64 d0, d1, d2
	vfnms.f32 s0, s1, s2
	vfnms.f64 d29, d30, d31
	@ two-register forms and compares
	vmov.f32 s0, s1
	vmovge.f64 d0, d17
	vabs.f32 s2, s3
	vabs.f64 d2, d3
	vneg.f32 s4, s5
	vneglt.f64 d4, d5
	vsqrt.f32 s6, s7
	vsqrt.f64 d6, d7
	vcmp.f32 s0, s1
	vcmpgt.f64 d0, d1
	vcmpe.f32 s2, s3
	vcmpe.f64 d2, d19
	@ conversions: integer, precision, half precision, fixed point
	vcvt.s32.f32 s0, s1
	vcvt.s32.f64 s0, d1
	vcvtr.s32.f32 s2, s3
	vcvtrle.s32.f64 s2, d3
	vcvt.u32.f32 s4, s5
	vcvt.u32.f64 s4, d21
	vcvtr.u32.f32 s6, s7
	vcvtr.u32.f64 s6, d7
	vcvt.f32.s32 s0, s1
	vcvt.f64.s32 d0, s1
	vcvt.f32.u32 s2, s3
	vcvt.f64.u32 d18, s3
	vcvt.f64.f32 d0, s1
	vcvteq.f32.f64 s0, d1
	vcvtb.f32.f16 s0, s1
	vcvtt.f32.f16 s2, s3
	vcvtb.f16.f32 s4, s5
	vcvttne.f16.f32 s6, s7
	vcvt.s16.f32 s0, s0, #16
	vcvt.s16.f32 s0, s0, #1
	vcvt.u16.f32 s1, s1, #8
	vcvt.s32.f32 s2, s2, #32
	vcvt.u32.f32 s3, s3, #1
	vcvt.s16.f64 d0, d0, #16
	vcvt.u16.f64 d1, d1, #3
	vcvt.s32.f64 d2, d2, #32
	vcvt.u32.f64 d19, d19, #17
	vcvt.f32.s16 s0, s0, #16
	vcvt.f32.u16 s1, s1, #2
	vcvt.f32.s32 s2, s2, #31
	vcvt.f32.u32 s3, s3, #32
	vcvt.f64.s16 d0, d0, #7
	vcvt.f64.u16 d1, d1, #16
	vcvt.f64.s32 d2, d2, #1
	vcvtcc.f64.u32 d3, d3, #32
	@ single loads and stores
	vldr s0, [r0]
	vldr s1, [r1, #4]
	vldr s2, [r2, #-1020]
	vldr d0, [r3, #8]
	vldreq d16, [sp, #-8]
	vstr s31, [r12, #1020]
	vstr d31, [lr, #-4]
	vstrmi s5, [r4]
	vldr s3, [pc, #-0]
	vldr d4, literal
	@ multiple loads and stores
	vpush {d8-d15}
	vpop {d8-d15}
	vpush {s16-s31}
	vpopne {s0}
	vpush {d31}
	vldmia r0, {s0-s3}
	vldmia r0!, {d0-d3}
	vldmdb r1!, {s4-s7}
	vldmdb r1!, {d16-d31}
	vstmia r2, {d0}
	vstmia r2!, {s31}
	vstmdb r3!, {d5-d6}
	vstmdbgt r3!, {s8-s9}
	vldmia sp, {d0-d1}
	vldmdb sp!, {d2-d3}
	vstmia sp!, {s0-s1}
	vstmia sp, {s2-s5}
	@ transfers between core and VFP registers
	vmov r0, r1, s2, s3
	vmov s30, s31, r2, r3
	vmovne r4, r5, d6
	vmov d31, r6, r7
	vmov r0, s1
	vmoveq s31, r12
	vmov.32 r0, d1[1]
	vmov.32 r2, d17[0]
	vmov.32 d1[0], r0
	vmov.32 d31[1], lr
	vmrs r0, fpscr
	vmrs r1, fpsid
	vmrseq r2, fpexc
	vmsr fpscr, r3
	vmsr fpexc, r4
	vmrs APSR_nzcv, fpscr
	vmrsne APSR_nzcv, fpscr
	bx lr
literal:
	.word 0
	.word 0
	.size vfp, .-vfp
