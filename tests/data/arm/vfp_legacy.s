@ VFP texts that round trip in legacy syntax only (armv7-a, vfpv4): the immediate move
@ prints its encoded 8-bit value, which unified syntax reads as a floating-point value
@ ("vmov.f32 s0, #112" would be 112.0), and FLDMX/FSTMX (odd word counts) have no
@ unified name of their own (vldmia/vpush encode an even count).
	.syntax unified
	.arm
	.text
	.global vfp_legacy
	.type vfp_legacy, %function
vfp_legacy:
	vmov.f32 s0, #1.0
	vmov.f32 s31, #-31.0
	vmoveq.f32 s1, #0.125
	vmov.f64 d0, #2.0
	vmov.f64 d31, #-0.1875
	vmovne.f64 d2, #17.0
	fstmfdx sp!, {d8-d15}
	fldmfdx sp!, {d8-d15}
	fldmiax r0!, {d0-d3}
	fstmiax r1, {d4}
	fldmdbxeq r2!, {d16-d31}
	fstmdbx r3!, {d5-d6}
	.rept 16
	vmov.f32 s2, #3.0
	.endr
	bx lr
