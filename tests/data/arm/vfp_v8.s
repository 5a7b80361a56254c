@ The ARMv8 floating-point additions for the round trip (armv8-a, fp-armv8), both
@ syntaxes (they have only unified names). VSEL and VJCVT print "undefined opcode" and
@ are kept out; vrintr, vrintx and vrintz print the condition their encoding carries
@ between the name and the type suffixes.
	.syntax unified
	.arm
	.text
	.global vfp_v8
	.type vfp_v8, %function
vfp_v8:
	vmaxnm.f32 s0, s1, s2
	vmaxnm.f64 d0, d1, d2
	vminnm.f32 s3, s4, s31
	vminnm.f64 d3, d4, d31
	vrinta.f32 s0, s1
	vrinta.f64 d0, d1
	vrintn.f32 s2, s3
	vrintn.f64 d2, d3
	vrintp.f32 s4, s5
	vrintp.f64 d4, d5
	vrintm.f32 s6, s7
	vrintm.f64 d6, d7
	vcvta.s32.f32 s0, s1
	vcvta.u32.f64 s0, d1
	vcvtn.s32.f64 s2, d3
	vcvtn.u32.f32 s2, s3
	vcvtp.s32.f32 s4, s5
	vcvtp.u32.f64 s4, d5
	vcvtm.s32.f64 s6, d7
	vcvtm.u32.f32 s6, s7
	vrintr.f32 s0, s1
	vrintreq.f64 d0, d1
	vrintx.f32 s2, s3
	vrintx.f64 d2, d3
	vrintz.f32 s4, s5
	vrintzne.f64 d4, d5
	vcvtb.f64.f16 d0, s1
	vcvtt.f64.f16 d2, s3
	vcvtb.f16.f64 s4, d5
	vcvtt.f16.f64 s6, d7
	bx lr
