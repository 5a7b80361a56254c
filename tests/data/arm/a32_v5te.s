@ ARMv5TE forms for the round trip with -arch v5TE (assembled with -march=armv5te).
	.syntax unified
	.arm
	.text
	.global entry
	.type entry, %function
entry:
	clz r0, r1
	clzne r2, r3
	blx r4
	blx entry
	bx lr
	qadd r0, r1, r2
	qsub r0, r1, r2
	qdadd r0, r1, r2
	qdsub r0, r1, r2
	smlabb r0, r1, r2, r3
	smlatt r0, r1, r2, r3
	smlawt r0, r1, r2, r3
	smulwb r0, r1, r2
	smlalbt r0, r1, r2, r3
	smultt r0, r1, r2
	ldrd r0, r1, [r2]
	ldrd r2, r3, [r4, #-16]!
	strd r4, r5, [r6], #8
	strd r6, r7, [r8, r9]
	ldrh r0, [r1, #2]
	ldrsb r0, [r1], -r2
	pld [r0, #32]
	pld [r1, r2, lsl #2]
	bkpt #7
	mcrr p4, 1, r0, r1, c2
	mrrc p4, 1, r0, r1, c2
	ldc2 p4, c1, [r0, #8]
	stc2 p4, c1, [r0], #-8
	cdp2 p4, 1, c1, c2, c3, 4
	mcr2 p4, 1, r0, c1, c2, 3
	mrc2 p4, 1, r0, c1, c2
	swp r0, r1, [r2]
	swpb r0, r1, [r2]
	ldm r0!, {r1-r3}
	stmdb sp!, {r4-r11, lr}
	ldm sp!, {r4-r11, pc}
	mrs r0, cpsr
	msr cpsr_c, r0
	svc #0x10
	umull r0, r1, r2, r3
	smlals r0, r1, r2, r3
	mov r0, r1, lsl #4
	add r0, r1, r2, lsr r3
	bl entry
	beq entry
