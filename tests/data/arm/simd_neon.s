@ Advanced SIMD (NEONv2) source for the assemble -> disassemble -> re-assemble round trips
@ (armv7-a with neon-vfpv4), assembled as A32 and as Thumb-2 (it names no instruction
@ set; the Thumb round trip assembles it with -mthumb): one or more encodings of every data-processing class and of
@ the element and structure loads and stores.
@
@ Kept out, because their printed text does not assemble back to the same bytes:
@ - loads and stores with an alignment qualifier ([r0:128]): the alignment is not printed,
@   so the re-assembled word has the alignment field clear;
@ - the ARMv8 cryptographic forms (aes*, sha*, vmull.p64): they print "undefined opcode";
@ - VFP instructions on s registers (they belong to the coprocessor decoding).
	.syntax unified
	.fpu neon-vfpv4
	.text
	.global simd
	.type simd, %function
simd:
	vadd.i32 d0, d1, d2
	vadd.i8 q0, q1, q2
	vqadd.u8 d3, d4, d5
	vqadd.s64 q3, q4, q5
	vhadd.s16 d0, d1, d2
	vrhadd.u32 q8, q9, q10
	vhsub.s8 d31, d30, d29
	vqsub.u16 d1, d2, d3
	vcgt.s32 d1, d2, d3
	vcge.u8 q1, q2, q3
	vshl.s32 d0, d1, d2
	vqshl.u64 q0, q1, q2
	vrshl.s8 d0, d1, d2
	vqrshl.u16 d0, d1, d2
	vmax.s8 d0, d1, d2
	vmin.u32 q0, q1, q2
	vabd.s16 d0, d1, d2
	vaba.u8 q0, q1, q2
	vand d0, d1, d2
	vbic q0, q1, q2
	vorr d0, d1, d2
	vmov q0, q1
	vorn d0, d1, d2
	veor q0, q1, q2
	vbsl d0, d1, d2
	vbit q0, q1, q2
	vbif d0, d1, d2
	vsub.i64 d0, d1, d2
	vtst.16 d0, d1, d2
	vceq.i32 q0, q1, q2
	vmla.i16 d0, d1, d2
	vmls.i32 q0, q1, q2
	vmul.i8 d0, d1, d2
	vmul.p8 q0, q1, q2
	vpmax.s16 d0, d1, d2
	vpmin.u8 d0, d1, d2
	vqdmulh.s16 d0, d1, d2
	vqrdmulh.s32 q0, q1, q2
	vpadd.i32 d0, d1, d2
	vfma.f32 d0, d1, d2
	vfms.f32 q0, q1, q2
	vadd.f32 d0, d1, d2
	vsub.f32 q0, q1, q2
	vpadd.f32 d0, d1, d2
	vabd.f32 q0, q1, q2
	vmla.f32 d0, d1, d2
	vmls.f32 q0, q1, q2
	vmul.f32 d0, d1, d2
	vceq.f32 q0, q1, q2
	vcge.f32 d0, d1, d2
	vcgt.f32 q0, q1, q2
	vacge.f32 d0, d1, d2
	vacgt.f32 q0, q1, q2
	vmax.f32 d0, d1, d2
	vmin.f32 q0, q1, q2
	vpmax.f32 d0, d1, d2
	vpmin.f32 d0, d1, d2
	vrecps.f32 q0, q1, q2
	vrsqrts.f32 d0, d1, d2
	vaddl.s8 q0, d1, d2
	vaddw.u16 q0, q1, d4
	vsubl.u32 q0, d1, d2
	vsubw.s8 q0, q1, d4
	vaddhn.i16 d0, q1, q2
	vraddhn.i32 d0, q1, q2
	vabal.s8 q0, d1, d2
	vsubhn.i64 d0, q1, q2
	vrsubhn.i16 d0, q1, q2
	vabdl.u16 q0, d1, d2
	vmlal.s32 q0, d1, d2
	vqdmlal.s16 q0, d1, d2
	vmlsl.u8 q0, d1, d2
	vqdmlsl.s32 q0, d1, d2
	vmull.s8 q0, d1, d2
	vqdmull.s16 q0, d1, d2
	vmull.p8 q0, d1, d2
	vmla.i16 d0, d1, d2[3]
	vmla.f32 q0, q1, d2[1]
	vmlal.s16 q0, d1, d7[2]
	vqdmlal.s32 q0, d1, d15[1]
	vmls.i32 d0, d1, d15[0]
	vmls.f32 d0, d1, d2[1]
	vmlsl.u32 q0, d1, d2[1]
	vqdmlsl.s16 q0, d1, d2[0]
	vmul.i16 q0, q1, d2[1]
	vmul.f32 d0, d1, d2[1]
	vmull.u16 q0, d1, d2[3]
	vqdmull.s32 q0, d1, d2[1]
	vqdmulh.s16 q0, q1, d2[1]
	vqrdmulh.s32 d0, d1, d2[1]
	vshr.s8 d0, d1, #3
	vshr.u64 q0, q1, #64
	vsra.s16 d0, d1, #16
	vrshr.u32 q0, q1, #1
	vrsra.s64 d0, d1, #33
	vsri.32 d0, d1, #5
	vshl.i8 d0, d1, #7
	vshl.i64 q0, q1, #63
	vsli.16 d0, d1, #0
	vqshlu.s32 d0, d1, #4
	vqshl.u8 q0, q1, #2
	vqshl.s64 d0, d1, #10
	vshrn.i16 d0, q1, #8
	vrshrn.i32 d0, q1, #3
	vqshrun.s64 d0, q1, #32
	vqrshrun.s16 d0, q1, #1
	vqshrn.u32 d0, q1, #16
	vqrshrn.s64 d0, q1, #5
	vshll.s8 q0, d1, #3
	vmovl.u16 q0, d1
	vshll.i32 q0, d1, #32
	vcvt.f32.s32 d0, d1, #16
	vcvt.u32.f32 q0, q1, #32
	vcvt.s32.f32 d0, d1, #1
	vcvt.f32.u32 q0, q1, #7
	vmov.i32 d0, #0x12
	vmov.i32 q0, #0x1200
	vmov.i32 d0, #0x120000
	vmov.i32 d0, #0x12000000
	vorr.i32 d0, #0x1200
	vbic.i32 q0, #0x12
	vmov.i16 d0, #0x12
	vmov.i16 d0, #0x1200
	vorr.i16 d0, #0x12
	vbic.i16 q0, #0x3400
	vmov.i32 d0, #0x12FF
	vmov.i32 d0, #0x12FFFF
	vmov.i8 d0, #0x55
	vmov.f32 q0, #1.0
	vmov.f32 d0, #-0.1328125
	vmov.f32 d0, #31.0
	vmvn.i32 d0, #0x12
	vmvn.i16 q0, #0x1200
	vmvn.i32 d0, #0x34FF
	vmov.i64 d0, #0xFF00FF0000FF00FF
	vmov.i64 d0, #0
	vrev64.8 d0, d1
	vrev32.16 q0, q1
	vrev16.8 d0, d1
	vpaddl.s8 d0, d1
	vpaddl.u32 q0, q1
	vcls.s16 d0, d1
	vclz.i32 q0, q1
	vcnt.8 d0, d1
	vmvn q0, q1
	vpadal.s8 d0, d1
	vpadal.u16 q0, q1
	vqabs.s32 d0, d1
	vqneg.s8 q0, q1
	vcgt.s8 d0, d1, #0
	vcge.s16 q0, q1, #0
	vceq.i32 d0, d1, #0
	vcle.s8 d0, d1, #0
	vclt.s32 q0, q1, #0
	vabs.s8 d0, d1
	vneg.s16 q0, q1
	vcgt.f32 d0, d1, #0
	vcge.f32 q0, q1, #0
	vceq.f32 d0, d1, #0
	vcle.f32 d0, d1, #0
	vclt.f32 q0, q1, #0
	vabs.f32 d0, d1
	vneg.f32 q0, q1
	vswp d0, d1
	vswp q0, q1
	vtrn.8 d0, d1
	vtrn.32 q0, q1
	vuzp.16 d0, d1
	vuzp.32 q0, q1
	vzip.8 q0, q1
	vmovn.i16 d0, q1
	vqmovun.s32 d0, q1
	vqmovn.s64 d0, q1
	vqmovn.u16 d0, q1
	vcvt.f16.f32 d0, q1
	vcvt.f32.f16 q0, d1
	vrecpe.u32 d0, d1
	vrecpe.f32 q0, q1
	vrsqrte.u32 q0, q1
	vrsqrte.f32 d0, d1
	vcvt.f32.s32 d0, d1
	vcvt.f32.u32 q0, q1
	vcvt.s32.f32 d0, d1
	vcvt.u32.f32 q0, q1
	vext.8 d0, d1, d2, #3
	vext.8 q0, q1, q2, #15
	vtbl.8 d0, {d1}, d2
	vtbl.8 d0, {d1, d2}, d3
	vtbx.8 d0, {d1, d2, d3}, d4
	vtbx.8 d0, {d30, d31}, d4
	vdup.8 d0, d1[7]
	vdup.16 q0, d1[3]
	vdup.32 q0, d31[1]
	vld1.8 {d0}, [r0]
	vld1.16 {d0, d1}, [r0]!
	vld1.32 {d0, d1, d2}, [r0], r2
	vst1.8 {d5}, [sp]
	vld2.8 {d0, d1}, [r0]
	vld2.16 {d0, d2}, [r0]!
	vld2.32 {d0, d1, d2, d3}, [r0]
	vst2.8 {d0, d1}, [r0], r3
	vld3.8 {d0, d1, d2}, [r0]
	vld3.16 {d0, d2, d4}, [r0]!
	vst3.32 {d0, d1, d2}, [r0]
	vld4.8 {d0, d1, d2, d3}, [r0]
	vld4.16 {d0, d2, d4, d6}, [r0]
	vst4.32 {d0, d1, d2, d3}, [r1]!
	vld1.8 {d0[3]}, [r0]
	vld1.16 {d0[2]}, [r0]!
	vld1.32 {d0[1]}, [r0], r1
	vst1.32 {d7[0]}, [r0]
	vld2.8 {d0[1], d1[1]}, [r0]
	vld2.16 {d0[1], d2[1]}, [r0]
	vld2.32 {d0[1], d2[1]}, [r0]!
	vld3.8 {d0[1], d1[1], d2[1]}, [r0]
	vld3.16 {d0[1], d2[1], d4[1]}, [r0]
	vst3.32 {d0[1], d2[1], d4[1]}, [r0]
	vld4.8 {d0[1], d1[1], d2[1], d3[1]}, [r0]
	vld4.16 {d0[1], d2[1], d4[1], d6[1]}, [r0]
	vst4.32 {d0[1], d2[1], d4[1], d6[1]}, [r0]
	vld1.8 {d0[]}, [r0]
	vld1.16 {d0[], d1[]}, [r0]!
	vld1.32 {d0[]}, [r0], r2
	vld2.8 {d0[], d1[]}, [r0]
	vld2.16 {d0[], d2[]}, [r0]
	vld3.32 {d0[], d1[], d2[]}, [r0]
	vld3.8 {d0[], d2[], d4[]}, [r0]
	vld4.16 {d0[], d1[], d2[], d3[]}, [r0]
	vld4.32 {d0[], d2[], d4[], d6[]}, [r0]
	vadd.i16 q8, q15, q9
	vmul.f32 q15, q14, d15[1]
	vmlal.u16 q12, d31, d7[3]
	vshr.u16 q15, q8, #9
	vmov.i8 q12, #0xFF
	vld1.8 {d16, d17, d18, d19}, [r12]!
	vst4.16 {d28[3], d29[3], d30[3], d31[3]}, [lr], r11
	bx lr
