@ The ARMv8 floating-point additions in Thumb-2 for the round trip (armv7e-m with
@ fpv5-d16): the unconditional forms come from bit 12 of the first halfword. VSEL prints
@ "undefined opcode" and is kept out; vfp-it.s has vrintz with a condition.
	.syntax unified
	.thumb
	.text
	.global vfp_v8
	.thumb_func
	.type vfp_v8, %function
vfp_v8:
	vmaxnm.f32 s0, s1, s2
	vmaxnm.f64 d0, d1, d2
	vminnm.f32 s3, s4, s31
	vminnm.f64 d3, d4, d15
	vrinta.f32 s0, s1
	vrintn.f64 d2, d3
	vrintp.f32 s4, s5
	vrintm.f64 d6, d7
	vcvta.s32.f32 s0, s1
	vcvtn.u32.f64 s2, d3
	vcvtp.s32.f64 s4, d5
	vcvtm.u32.f32 s6, s7
	vrintr.f32 s0, s1
	vrintx.f64 d2, d3
	vrintz.f32 s4, s5
	vcvtb.f64.f16 d0, s1
	vcvtt.f16.f64 s6, d7
	bx lr
	.size vfp_v8, .-vfp_v8
