@ Thumb-2 instructions common to ARMv7-M, ARMv7E-M, ARMv8-M Mainline and ARMv7-A.
@ Every branch target is a named label so that it stays in the symbol table.
	.syntax unified
	.thumb
	.text
	.global core_data
	.thumb_func
	.type core_data,%function
core_data:
	@ narrow and wide forms of the same mnemonic
	movs r0, #1
	mov.w r0, #1
	movs.w r1, #0x55
	mov r8, r9
	mov.w r8, r9
	movs r0, r1
	movs.w r0, r1
	mvn r2, #0xFF00
	mvns r3, #7
	adds r0, r1, r2
	add.w r0, r1, r2
	adds.w r0, r1, r2
	adds r0, r1, #3
	adds r0, #200
	add.w r0, r0, #200
	add r0, r8
	add r0, sp, #16
	add sp, sp, #64
	sub sp, sp, #64
	add.w sp, sp, #1024
	subs r4, r5, r6
	sub.w r4, r5, r6
	subs r4, #1
	sub.w r4, r4, #1
	addw r0, r1, #0xFFF
	subw r2, r3, #1
	add r0, r1, #0x00AB00AB
	sub r0, r1, #0xAB00AB00
	and r0, r1, #0xABABABAB
	ands r0, r1, #0x3FC00
	bic r0, r1, #0x80000000
	orr r0, r1, #0xFF
	orn r0, r1, #0xF0
	eors r0, r1, #1
	adc r0, r1, #2
	sbcs r0, r1, #3
	rsb r0, r1, #4
	rsbs r0, r1, #5
	rsbs r0, r1, #0
	tst r0, #1
	teq r0, #2
	cmp r0, #3
	cmp.w r0, #3
	cmp r0, #0x100
	cmn r0, #4
	cmp r0, r1
	cmp r8, r1
	cmp.w r0, r1
	cmn r0, r1
	cmn.w r0, r1, lsl #2
	tst r0, r1
	tst.w r0, r1, asr #3
	teq r0, r1, ror #4
	ands r0, r1
	and.w r0, r0, r1
	and r0, r1, r2, lsl #1
	orrs r0, r1
	orr r0, r1, r2, lsr #31
	orn r0, r1, r2
	eors r0, r1
	eor r0, r1, r2, asr #32
	bics r0, r1
	bic r0, r1, r2, rrx
	mvns r0, r1
	mvn r0, r1, lsl #3
	adcs r0, r1
	adc r0, r1, r2
	sbcs r0, r1
	sbc r0, r1, r2
	rsb r0, r1, r2, lsl #3
	muls r0, r1, r0
	mul r0, r1, r2
	lsls r0, r1, #3
	lsl.w r0, r1, #3
	lsrs r0, r1, #32
	lsrs r0, r1, #5
	asrs r0, r1, #7
	asr.w r0, r1, #7
	ror r0, r1, #9
	rors r0, r1, #9
	rrx r0, r1
	rrxs r0, r1
	lsls r0, r1
	lsl.w r0, r0, r1
	lsrs r0, r1
	asrs r0, r1
	rors r0, r1
	lsls.w r0, r1, r2
	asr r0, r1, r2
	lsr r0, r1, r2
	ror r0, r1, r2
	movw r0, #0xFFFF
	movt r0, #0x1234
	movw r1, #7
	mla r0, r1, r2, r3
	mls r0, r1, r2, r3
	smull r0, r1, r2, r3
	umull r0, r1, r2, r3
	smlal r0, r1, r2, r3
	umlal r0, r1, r2, r3
	clz r0, r1
	rbit r0, r1
	rev r0, r1
	rev.w r0, r1
	rev r8, r9
	rev16 r0, r1
	rev16 r8, r1
	revsh r0, r1
	revsh r10, r1
	sxth r0, r1
	sxtb r0, r1
	uxth r0, r1
	uxtb r0, r1
	sxth r8, r1
	sxtb r0, r1, ror #8
	uxth r0, r1, ror #16
	uxtb r0, r1, ror #24
	ssat r0, #8, r1
	ssat r0, #1, r1, lsl #4
	ssat r0, #32, r1, asr #3
	usat r0, #8, r1
	usat r0, #31, r1, lsl #1
	sbfx r0, r1, #3, #5
	ubfx r0, r1, #0, #32
	bfc r0, #4, #8
	bfi r0, r1, #2, #30
	neg r0, r1
	bx lr
	.size core_data, .-core_data

	.global core_memory
	.thumb_func
	.type core_memory,%function
core_memory:
	ldr r0, [r1]
	ldr r0, [r1, #124]
	ldr.w r0, [r1, #124]
	ldr r0, [r1, #128]
	ldr r0, [r1, #4095]
	ldr r0, [r1, #-4]
	ldr r0, [r1, #-255]
	ldr r0, [r1], #4
	ldr r0, [r1], #-4
	ldr r0, [r1, #4]!
	ldr r0, [r1, #-8]!
	ldr r0, [r1, r2]
	ldr.w r0, [r1, r2]
	ldr r0, [r1, r2, lsl #2]
	ldr r8, [r1, r2]
	ldrt r0, [r1, #4]
	ldrbt r0, [r1]
	ldrht r0, [r1, #255]
	ldrsbt r0, [r1, #1]
	ldrsht r0, [r1, #2]
	strt r0, [r1, #4]
	strbt r0, [r1, #4]
	strht r0, [r1, #4]
	ldrb r0, [r1, #31]
	ldrb r0, [r1, #32]
	ldrb.w r0, [r1, #3]
	ldrb r0, [r1, #-3]
	ldrb r0, [r1], #1
	ldrb r0, [r1, #1]!
	ldrb r0, [r1, r2]
	ldrb r0, [r1, r2, lsl #3]
	ldrh r0, [r1, #62]
	ldrh r0, [r1, #64]
	ldrh r0, [r1, #-2]
	ldrh r0, [r1], #2
	ldrh r0, [r1, r2]
	ldrh.w r0, [r1, r2]
	ldrsb r0, [r1, r2]
	ldrsb r0, [r1, #4]
	ldrsb r0, [r1, #-4]
	ldrsb r0, [r1], #-4
	ldrsh r0, [r1, r2]
	ldrsh r0, [r1, #4]
	ldrsh.w r0, [r1, r2, lsl #1]
	ldrsh r0, [r1, #-6]!
	str r0, [r1]
	str r0, [r1, #124]
	str r0, [r1, #128]
	str r0, [r1, #-4]
	str r0, [r1], #4
	str r0, [r1, #4]!
	str r0, [r1, r2]
	str r0, [r1, r2, lsl #1]
	strb r0, [r1, #31]
	strb r0, [r1, #300]
	strb r0, [r1, #-1]
	strb r0, [r1, r2]
	strh r0, [r1, #62]
	strh r0, [r1, #1000]
	strh r0, [r1, r2]
	strh r0, [r1], #-2
	ldr r0, [sp]
	ldr r0, [sp, #1020]
	ldr r0, [sp, #1024]
	str r0, [sp, #8]
	str.w r0, [sp, #8]
	ldr r0, [pc, #8]
	ldr.w r0, [pc, #8]
	ldr r0, [pc, #1024]
	ldr r0, [pc, #-8]
	ldrb r0, [pc, #8]
	ldrsh r0, [pc, #-6]
	ldrh r0, [pc, #12]
	ldrsb r0, [pc, #12]
	pld [r0]
	pld [r0, #4095]
	pld [r0, #-8]
	pld [r0, r1]
	pld [r0, r1, lsl #3]
	pld [pc, #16]
	pld [pc, #-16]
	pli [r0, #4]
	pli [r0, #-4]
	pli [r0, r1, lsl #1]
	ldrd r0, r1, [r2]
	ldrd r0, r1, [r2, #8]
	ldrd r0, r1, [r2, #-8]
	ldrd r0, r1, [r2, #16]!
	ldrd r0, r1, [r2], #-16
	strd r0, r1, [r2, #1020]
	strd r4, r5, [sp, #-8]!
	strd r4, r5, [r2], #8
	ldrd r0, r1, core_literal
	ldrex r0, [r1]
	ldrex r0, [r1, #1020]
	strex r2, r0, [r1]
	strex r2, r0, [r1, #8]
	ldrexb r0, [r1]
	ldrexh r0, [r1]
	strexb r2, r0, [r1]
	strexh r2, r0, [r1]
	clrex
	push {r4, lr}
	push {r0-r7}
	push.w {r4-r11, lr}
	push {r8}
	push {r4}
	push.w {r1, r2}
	pop {r4, pc}
	pop.w {r4-r11, pc}
	pop {r9}
	pop.w {r2, r3}
	ldm r0!, {r1, r2}
	ldm r0, {r0, r1}
	ldm.w r0, {r1, r2}
	ldm r0!, {r1, r8}
	ldmdb r0, {r1, r2}
	ldmdb r0!, {r1-r3, lr}
	ldm r0, {r1-r12, lr}
	ldm sp, {r0, r1}
	stm r0!, {r1, r2}
	stm.w r0, {r1, r2}
	stm r0!, {r1, r9}
	stmdb r0!, {r1, r2}
	stmdb r0, {r1, r2}
	stmdb sp, {r1, r2}
	ldm sp!, {r0-r2}
	bx lr
	.align 2
core_literal:
	.word 0x12345678
	.word 0x9ABCDEF0
	.size core_memory, .-core_memory

	.global core_branches
	.thumb_func
	.type core_branches,%function
core_branches:
	b back
	b.w back
	beq back
	bne.w back
	bgt.w forward
	cbz r0, forward
	cbnz r7, forward
	bl core_data
	bl forward
	blx r3
	bx r8
back:
	nop
	nop.w
	yield
	yield.w
	wfe
	wfe.w
	wfi
	wfi.w
	sev
	sev.w
	dmb ish
	dmb sy
	dsb sy
	dsb ishst
	isb sy
	dbg #5
	bkpt #0xAB
	svc #17
	cpsie i
	cpsid f
	cpsid if
forward:
	tbb [r0, r1]
	tbh [r0, r1, lsl #1]
	tbb [pc, r2]
table:
	.byte 1, 2
	.hword 3
	b.w back
	b farlabel
	bx lr
	.space 5000
farlabel:
	bcc farlabel2
	bhi.w back
	.space 1200
farlabel2:
	b back
	bl back
	bx lr
	.size core_branches, .-core_branches
