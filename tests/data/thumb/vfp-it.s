@ VFP instructions inside IT blocks for the Thumb round trip in unified syntax: each takes
@ the block's condition (the assembler's divided syntax has no conditional Thumb
@ instructions, so there is no legacy variant).
	.syntax unified
	.thumb
	.text
	.global vfp_it
	.thumb_func
	.type vfp_it, %function
vfp_it:
	itte eq
	vaddeq.f32 s0, s1, s2
	vldreq d0, [r0, #8]
	vmovne r0, s1
	it gt
	vpushgt {d8-d9}
	ittt mi
	vcmpmi.f32 s0, #0
	vmrsmi APSR_nzcv, fpscr
	vcvtrmi.s32.f64 s0, d1
	it eq
	vrintzeq.f64 d4, d5
	bx lr
	.size vfp_it, .-vfp_it
