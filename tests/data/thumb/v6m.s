@ ARMv6-M: the 16-bit instruction set with BL, MRS, MSR and the barriers.
	.syntax unified
	.thumb
	.text
	.global v6m
	.thumb_func
	.type v6m,%function
v6m:
	push {r4-r7, lr}
	movs r0, #0
	movs r1, #255
	mov r8, r0
	mov r0, r8
	movs r2, r3
	adds r0, r1, r2
	adds r0, r1, #7
	adds r0, #1
	subs r0, r1, r2
	subs r0, r1, #7
	subs r0, #255
	add r0, r9
	add sp, r1
	add r1, sp, r1
	add sp, #508
	sub sp, #508
	add r0, sp, #1020
	cmp r0, #0
	cmp r0, r1
	cmp r8, r9
	cmn r0, r1
	ands r0, r1
	eors r0, r1
	orrs r0, r1
	bics r0, r1
	mvns r0, r1
	adcs r0, r1
	sbcs r0, r1
	rsbs r0, r1, #0
	muls r0, r1, r0
	tst r0, r1
	lsls r0, r1, #31
	lsrs r0, r1, #1
	lsrs r0, r1, #32
	asrs r0, r1, #32
	asrs r0, r1, #9
	lsls r0, r1
	lsrs r0, r1
	asrs r0, r1
	rors r0, r1
	sxtb r0, r1
	sxth r0, r1
	uxtb r0, r1
	uxth r0, r1
	rev r0, r1
	rev16 r0, r1
	revsh r0, r1
	ldr r0, [r1, #124]
	ldr r0, [r1]
	ldr r0, [r1, r2]
	ldr r0, [sp, #1020]
	ldr r0, [pc, #1020]
	ldrb r0, [r1, #31]
	ldrb r0, [r1, r2]
	ldrh r0, [r1, #62]
	ldrh r0, [r1, r2]
	ldrsb r0, [r1, r2]
	ldrsh r0, [r1, r2]
	str r0, [r1, #4]
	str r0, [r1, r2]
	str r0, [sp, #4]
	strb r0, [r1, #1]
	strb r0, [r1, r2]
	strh r0, [r1, #2]
	strh r0, [r1, r2]
	ldm r0!, {r1, r2}
	ldm r0, {r0, r1}
	ldm r1!, {r0, r2-r7}
	stm r0!, {r1-r3}
	adr r0, v6m_data
	b v6m_next
	beq v6m_next
	bne v6m
	bl v6m
	blx r0
	bx r1
v6m_next:
	nop
	yield
	wfe
	wfi
	sev
	bkpt #0
	bkpt #255
	cpsie i
	cpsid i
	mrs r0, primask
	msr primask, r0
	mrs r1, control
	msr control, r1
	mrs r0, xpsr
	msr apsr_nzcvq, r0
	dmb sy
	dsb sy
	isb sy
	pop {r4-r7, pc}
	.align 2
v6m_data:
	.word 0
	.size v6m, .-v6m
