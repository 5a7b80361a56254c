@ ARMv7-A system instructions in Thumb state.
	.syntax unified
	.thumb
	.text
	.global aprofile
	.thumb_func
	.type aprofile,%function
aprofile:
	mrs r0, cpsr
	mrs r0, spsr
	msr cpsr_fc, r0
	msr cpsr_f, r1
	msr spsr_fsxc, r2
	cpsie if
	cpsid a, #17
	cps #19
	srsdb sp!, #19
	srsia sp, #16
	rfedb r0
	rfeia r1!
	subs pc, lr, #4
	ldrexd r0, r1, [r2]
	strexd r3, r0, r1, [r2]
	mcr p15, 0, r0, c1, c0, 0
	mrc p15, 0, r0, c1, c0, 5
	mcrr p15, 1, r0, r1, c2
	mrrc p15, 2, r0, r1, c3
	cdp p7, 1, c2, c3, c4, 5
	ldc p5, c1, [r0, #8]
	stc p5, c1, [r0, #-8]!
	mcr2 p14, 0, r0, c1, c0, 0
	pli [r0, #8]
	bxj r0
	dmb ish
	dsb oshst
	isb sy
	clrex
	bx lr
	.size aprofile, .-aprofile
