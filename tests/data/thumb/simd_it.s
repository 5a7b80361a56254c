@ Advanced SIMD instructions inside Thumb-2 IT blocks (armv7-a with neon-vfpv4) for the
@ round trip: they take the block's condition between mnemonic and data type
@ (vaddeq.i32, vld1ne.8). The forms themselves are covered by ../arm/simd_neon.s, which
@ the Thumb round trip assembles as Thumb-2 too.
@
@ Kept out: the mnemonics typed by size alone that end in a dot (vrev64., vtst., vsli.,
@ ...), whose condition goes after the dot (vrev64.eq8), which the GNU assembler does
@ not read.
	.syntax unified
	.thumb
	.fpu neon-vfpv4
	.text
	.global simd
	.thumb_func
	.type simd, %function
simd:
	it eq
	vaddeq.i32 d0, d1, d2
	itte ne
	vmlane.f32 q0, q1, d3[1]
	vld1ne.8 {d0}, [r0]!
	vdupeq.16 q8, d9[2]
	ittt gt
	vextgt.8 q0, q1, q2, #5
	vtblgt.8 d0, {d1, d2}, d3
	vmovgt.i32 d0, #0x1200
	itete lt
	vqaddlt.s16 q8, q9, q10
	vshrge.u32 d1, d2, #7
	vst2lt.16 {d0[1], d2[1]}, [r3], r4
	vcvtge.f32.s32 q0, q1
	bx lr
