@ VFP texts that round trip in unified syntax only (armv7-a, vfpv4): compares with zero
@ print ", #0", which the legacy names fcmpzs/fcmpezd do not take.
	.syntax unified
	.arm
	.text
	.global vfp_unified
	.type vfp_unified, %function
vfp_unified:
	vcmp.f32 s0, #0
	vcmpeq.f64 d1, #0
	vcmpe.f32 s31, #0
	vcmpe.f64 d31, #0
	.rept 24
	vcmp.f32 s1, #0
	.endr
	bx lr
