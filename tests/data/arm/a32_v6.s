@ ARMv6 forms for the round trip with -arch v6 (assembled with -march=armv6).
	.syntax unified
	.arm
	.text
	.global entry
	.type entry, %function
entry:
	sadd16 r0, r1, r2
	qasx r0, r1, r2
	shsax r0, r1, r2
	usub8 r0, r1, r2
	uqadd16 r0, r1, r2
	uhasx r0, r1, r2
	ssub8 r0, r1, r2
	qsub16 r0, r1, r2
	pkhbt r0, r1, r2, lsl #8
	pkhtb r0, r1, r2, asr #16
	ssat r0, #16, r1
	usat r0, #8, r1, lsl #2
	ssat16 r0, #4, r1
	usat16 r0, #4, r1
	sel r0, r1, r2
	rev r0, r1
	rev16 r0, r1
	revsh r0, r1
	sxtb r0, r1, ror #8
	uxth r0, r1
	sxtab16 r0, r1, r2
	uxtah r0, r1, r2, ror #16
	smlad r0, r1, r2, r3
	smusd r0, r1, r2
	smlald r0, r1, r2, r3
	smmul r0, r1, r2
	smmla r0, r1, r2, r3
	smmls r0, r1, r2, r3
	usad8 r0, r1, r2
	usada8 r0, r1, r2, r3
	umaal r0, r1, r2, r3
	ldrex r0, [r1]
	strex r0, r1, [r2]
	cpsie if
	cpsid a, #19
	cps #16
	setend be
	setend le
	srsia sp!, #19
	rfeia sp!
	mcrr2 p4, 1, r0, r1, c2
	mrrc2 p4, 1, r0, r1, c2
	blx r3
	nop
	yield
	wfi
