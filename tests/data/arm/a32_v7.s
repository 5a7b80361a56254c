@ A broad A32 source for the assemble -> disassemble -> re-assemble round trip (armv7-a).
	.syntax unified
	.arm
	.arch_extension idiv
	.arch_extension virt
	.arch_extension sec
	.arch_extension mp
	.text
	.global start
	.type start, %function
start:
	b start
	bl later
	bne later
	bleq start
	blx thumbcode
	adr r0, start
	adr r1, near
near:
	and r0, r1, #0x3FC
	and r2, r3, #7
	and r4, r5, r6
	and r4, r5, r6, lsl #2
	and r4, r5, r6, lsr #32
	and r4, r5, r6, asr #1
	and r4, r5, r6, ror #31
	and r4, r5, r6, rrx
	and r7, r8, r9, lsl r10
	and r7, r8, r9, asr r10
	and r7, r8, r9, ror r10
	andne r0, r1, #0x3FC
	andne r2, r3, #7
	andne r4, r5, r6
	andne r4, r5, r6, lsl #2
	andne r4, r5, r6, lsr #32
	andne r4, r5, r6, asr #1
	andne r4, r5, r6, ror #31
	andne r4, r5, r6, rrx
	andne r7, r8, r9, lsl r10
	andne r7, r8, r9, asr r10
	andne r7, r8, r9, ror r10
	ands r0, r1, #0x3FC
	ands r2, r3, #7
	ands r4, r5, r6
	ands r4, r5, r6, lsl #2
	ands r4, r5, r6, lsr #32
	ands r4, r5, r6, asr #1
	ands r4, r5, r6, ror #31
	ands r4, r5, r6, rrx
	ands r7, r8, r9, lsl r10
	ands r7, r8, r9, asr r10
	ands r7, r8, r9, ror r10
	andsne r0, r1, #0x3FC
	andsne r2, r3, #7
	andsne r4, r5, r6
	andsne r4, r5, r6, lsl #2
	andsne r4, r5, r6, lsr #32
	andsne r4, r5, r6, asr #1
	andsne r4, r5, r6, ror #31
	andsne r4, r5, r6, rrx
	andsne r7, r8, r9, lsl r10
	andsne r7, r8, r9, asr r10
	andsne r7, r8, r9, ror r10
	eor r0, r1, #0x3FC
	eor r2, r3, #7
	eor r4, r5, r6
	eor r4, r5, r6, lsl #2
	eor r4, r5, r6, lsr #32
	eor r4, r5, r6, asr #1
	eor r4, r5, r6, ror #31
	eor r4, r5, r6, rrx
	eor r7, r8, r9, lsl r10
	eor r7, r8, r9, asr r10
	eor r7, r8, r9, ror r10
	eorne r0, r1, #0x3FC
	eorne r2, r3, #7
	eorne r4, r5, r6
	eorne r4, r5, r6, lsl #2
	eorne r4, r5, r6, lsr #32
	eorne r4, r5, r6, asr #1
	eorne r4, r5, r6, ror #31
	eorne r4, r5, r6, rrx
	eorne r7, r8, r9, lsl r10
	eorne r7, r8, r9, asr r10
	eorne r7, r8, r9, ror r10
	eors r0, r1, #0x3FC
	eors r2, r3, #7
	eors r4, r5, r6
	eors r4, r5, r6, lsl #2
	eors r4, r5, r6, lsr #32
	eors r4, r5, r6, asr #1
	eors r4, r5, r6, ror #31
	eors r4, r5, r6, rrx
	eors r7, r8, r9, lsl r10
	eors r7, r8, r9, asr r10
	eors r7, r8, r9, ror r10
	eorsne r0, r1, #0x3FC
	eorsne r2, r3, #7
	eorsne r4, r5, r6
	eorsne r4, r5, r6, lsl #2
	eorsne r4, r5, r6, lsr #32
	eorsne r4, r5, r6, asr #1
	eorsne r4, r5, r6, ror #31
	eorsne r4, r5, r6, rrx
	eorsne r7, r8, r9, lsl r10
	eorsne r7, r8, r9, asr r10
	eorsne r7, r8, r9, ror r10
	sub r0, r1, #0x3FC
	sub r2, r3, #7
	sub r4, r5, r6
	sub r4, r5, r6, lsl #2
	sub r4, r5, r6, lsr #32
	sub r4, r5, r6, asr #1
	sub r4, r5, r6, ror #31
	sub r4, r5, r6, rrx
	sub r7, r8, r9, lsl r10
	sub r7, r8, r9, asr r10
	sub r7, r8, r9, ror r10
	subne r0, r1, #0x3FC
	subne r2, r3, #7
	subne r4, r5, r6
	subne r4, r5, r6, lsl #2
	subne r4, r5, r6, lsr #32
	subne r4, r5, r6, asr #1
	subne r4, r5, r6, ror #31
	subne r4, r5, r6, rrx
	subne r7, r8, r9, lsl r10
	subne r7, r8, r9, asr r10
	subne r7, r8, r9, ror r10
	subs r0, r1, #0x3FC
	subs r2, r3, #7
	subs r4, r5, r6
	subs r4, r5, r6, lsl #2
	subs r4, r5, r6, lsr #32
	subs r4, r5, r6, asr #1
	subs r4, r5, r6, ror #31
	subs r4, r5, r6, rrx
	subs r7, r8, r9, lsl r10
	subs r7, r8, r9, asr r10
	subs r7, r8, r9, ror r10
	subsne r0, r1, #0x3FC
	subsne r2, r3, #7
	subsne r4, r5, r6
	subsne r4, r5, r6, lsl #2
	subsne r4, r5, r6, lsr #32
	subsne r4, r5, r6, asr #1
	subsne r4, r5, r6, ror #31
	subsne r4, r5, r6, rrx
	subsne r7, r8, r9, lsl r10
	subsne r7, r8, r9, asr r10
	subsne r7, r8, r9, ror r10
	rsb r0, r1, #0x3FC
	rsb r2, r3, #7
	rsb r4, r5, r6
	rsb r4, r5, r6, lsl #2
	rsb r4, r5, r6, lsr #32
	rsb r4, r5, r6, asr #1
	rsb r4, r5, r6, ror #31
	rsb r4, r5, r6, rrx
	rsb r7, r8, r9, lsl r10
	rsb r7, r8, r9, asr r10
	rsb r7, r8, r9, ror r10
	rsbne r0, r1, #0x3FC
	rsbne r2, r3, #7
	rsbne r4, r5, r6
	rsbne r4, r5, r6, lsl #2
	rsbne r4, r5, r6, lsr #32
	rsbne r4, r5, r6, asr #1
	rsbne r4, r5, r6, ror #31
	rsbne r4, r5, r6, rrx
	rsbne r7, r8, r9, lsl r10
	rsbne r7, r8, r9, asr r10
	rsbne r7, r8, r9, ror r10
	rsbs r0, r1, #0x3FC
	rsbs r2, r3, #7
	rsbs r4, r5, r6
	rsbs r4, r5, r6, lsl #2
	rsbs r4, r5, r6, lsr #32
	rsbs r4, r5, r6, asr #1
	rsbs r4, r5, r6, ror #31
	rsbs r4, r5, r6, rrx
	rsbs r7, r8, r9, lsl r10
	rsbs r7, r8, r9, asr r10
	rsbs r7, r8, r9, ror r10
	rsbsne r0, r1, #0x3FC
	rsbsne r2, r3, #7
	rsbsne r4, r5, r6
	rsbsne r4, r5, r6, lsl #2
	rsbsne r4, r5, r6, lsr #32
	rsbsne r4, r5, r6, asr #1
	rsbsne r4, r5, r6, ror #31
	rsbsne r4, r5, r6, rrx
	rsbsne r7, r8, r9, lsl r10
	rsbsne r7, r8, r9, asr r10
	rsbsne r7, r8, r9, ror r10
	add r0, r1, #0x3FC
	add r2, r3, #7
	add r4, r5, r6
	add r4, r5, r6, lsl #2
	add r4, r5, r6, lsr #32
	add r4, r5, r6, asr #1
	add r4, r5, r6, ror #31
	add r4, r5, r6, rrx
	add r7, r8, r9, lsl r10
	add r7, r8, r9, asr r10
	add r7, r8, r9, ror r10
	addne r0, r1, #0x3FC
	addne r2, r3, #7
	addne r4, r5, r6
	addne r4, r5, r6, lsl #2
	addne r4, r5, r6, lsr #32
	addne r4, r5, r6, asr #1
	addne r4, r5, r6, ror #31
	addne r4, r5, r6, rrx
	addne r7, r8, r9, lsl r10
	addne r7, r8, r9, asr r10
	addne r7, r8, r9, ror r10
	adds r0, r1, #0x3FC
	adds r2, r3, #7
	adds r4, r5, r6
	adds r4, r5, r6, lsl #2
	adds r4, r5, r6, lsr #32
	adds r4, r5, r6, asr #1
	adds r4, r5, r6, ror #31
	adds r4, r5, r6, rrx
	adds r7, r8, r9, lsl r10
	adds r7, r8, r9, asr r10
	adds r7, r8, r9, ror r10
	addsne r0, r1, #0x3FC
	addsne r2, r3, #7
	addsne r4, r5, r6
	addsne r4, r5, r6, lsl #2
	addsne r4, r5, r6, lsr #32
	addsne r4, r5, r6, asr #1
	addsne r4, r5, r6, ror #31
	addsne r4, r5, r6, rrx
	addsne r7, r8, r9, lsl r10
	addsne r7, r8, r9, asr r10
	addsne r7, r8, r9, ror r10
	adc r0, r1, #0x3FC
	adc r2, r3, #7
	adc r4, r5, r6
	adc r4, r5, r6, lsl #2
	adc r4, r5, r6, lsr #32
	adc r4, r5, r6, asr #1
	adc r4, r5, r6, ror #31
	adc r4, r5, r6, rrx
	adc r7, r8, r9, lsl r10
	adc r7, r8, r9, asr r10
	adc r7, r8, r9, ror r10
	adcne r0, r1, #0x3FC
	adcne r2, r3, #7
	adcne r4, r5, r6
	adcne r4, r5, r6, lsl #2
	adcne r4, r5, r6, lsr #32
	adcne r4, r5, r6, asr #1
	adcne r4, r5, r6, ror #31
	adcne r4, r5, r6, rrx
	adcne r7, r8, r9, lsl r10
	adcne r7, r8, r9, asr r10
	adcne r7, r8, r9, ror r10
	adcs r0, r1, #0x3FC
	adcs r2, r3, #7
	adcs r4, r5, r6
	adcs r4, r5, r6, lsl #2
	adcs r4, r5, r6, lsr #32
	adcs r4, r5, r6, asr #1
	adcs r4, r5, r6, ror #31
	adcs r4, r5, r6, rrx
	adcs r7, r8, r9, lsl r10
	adcs r7, r8, r9, asr r10
	adcs r7, r8, r9, ror r10
	adcsne r0, r1, #0x3FC
	adcsne r2, r3, #7
	adcsne r4, r5, r6
	adcsne r4, r5, r6, lsl #2
	adcsne r4, r5, r6, lsr #32
	adcsne r4, r5, r6, asr #1
	adcsne r4, r5, r6, ror #31
	adcsne r4, r5, r6, rrx
	adcsne r7, r8, r9, lsl r10
	adcsne r7, r8, r9, asr r10
	adcsne r7, r8, r9, ror r10
	sbc r0, r1, #0x3FC
	sbc r2, r3, #7
	sbc r4, r5, r6
	sbc r4, r5, r6, lsl #2
	sbc r4, r5, r6, lsr #32
	sbc r4, r5, r6, asr #1
	sbc r4, r5, r6, ror #31
	sbc r4, r5, r6, rrx
	sbc r7, r8, r9, lsl r10
	sbc r7, r8, r9, asr r10
	sbc r7, r8, r9, ror r10
	sbcne r0, r1, #0x3FC
	sbcne r2, r3, #7
	sbcne r4, r5, r6
	sbcne r4, r5, r6, lsl #2
	sbcne r4, r5, r6, lsr #32
	sbcne r4, r5, r6, asr #1
	sbcne r4, r5, r6, ror #31
	sbcne r4, r5, r6, rrx
	sbcne r7, r8, r9, lsl r10
	sbcne r7, r8, r9, asr r10
	sbcne r7, r8, r9, ror r10
	sbcs r0, r1, #0x3FC
	sbcs r2, r3, #7
	sbcs r4, r5, r6
	sbcs r4, r5, r6, lsl #2
	sbcs r4, r5, r6, lsr #32
	sbcs r4, r5, r6, asr #1
	sbcs r4, r5, r6, ror #31
	sbcs r4, r5, r6, rrx
	sbcs r7, r8, r9, lsl r10
	sbcs r7, r8, r9, asr r10
	sbcs r7, r8, r9, ror r10
	sbcsne r0, r1, #0x3FC
	sbcsne r2, r3, #7
	sbcsne r4, r5, r6
	sbcsne r4, r5, r6, lsl #2
	sbcsne r4, r5, r6, lsr #32
	sbcsne r4, r5, r6, asr #1
	sbcsne r4, r5, r6, ror #31
	sbcsne r4, r5, r6, rrx
	sbcsne r7, r8, r9, lsl r10
	sbcsne r7, r8, r9, asr r10
	sbcsne r7, r8, r9, ror r10
	rsc r0, r1, #0x3FC
	rsc r2, r3, #7
	rsc r4, r5, r6
	rsc r4, r5, r6, lsl #2
	rsc r4, r5, r6, lsr #32
	rsc r4, r5, r6, asr #1
	rsc r4, r5, r6, ror #31
	rsc r4, r5, r6, rrx
	rsc r7, r8, r9, lsl r10
	rsc r7, r8, r9, asr r10
	rsc r7, r8, r9, ror r10
	rscne r0, r1, #0x3FC
	rscne r2, r3, #7
	rscne r4, r5, r6
	rscne r4, r5, r6, lsl #2
	rscne r4, r5, r6, lsr #32
	rscne r4, r5, r6, asr #1
	rscne r4, r5, r6, ror #31
	rscne r4, r5, r6, rrx
	rscne r7, r8, r9, lsl r10
	rscne r7, r8, r9, asr r10
	rscne r7, r8, r9, ror r10
	rscs r0, r1, #0x3FC
	rscs r2, r3, #7
	rscs r4, r5, r6
	rscs r4, r5, r6, lsl #2
	rscs r4, r5, r6, lsr #32
	rscs r4, r5, r6, asr #1
	rscs r4, r5, r6, ror #31
	rscs r4, r5, r6, rrx
	rscs r7, r8, r9, lsl r10
	rscs r7, r8, r9, asr r10
	rscs r7, r8, r9, ror r10
	rscsne r0, r1, #0x3FC
	rscsne r2, r3, #7
	rscsne r4, r5, r6
	rscsne r4, r5, r6, lsl #2
	rscsne r4, r5, r6, lsr #32
	rscsne r4, r5, r6, asr #1
	rscsne r4, r5, r6, ror #31
	rscsne r4, r5, r6, rrx
	rscsne r7, r8, r9, lsl r10
	rscsne r7, r8, r9, asr r10
	rscsne r7, r8, r9, ror r10
	orr r0, r1, #0x3FC
	orr r2, r3, #7
	orr r4, r5, r6
	orr r4, r5, r6, lsl #2
	orr r4, r5, r6, lsr #32
	orr r4, r5, r6, asr #1
	orr r4, r5, r6, ror #31
	orr r4, r5, r6, rrx
	orr r7, r8, r9, lsl r10
	orr r7, r8, r9, asr r10
	orr r7, r8, r9, ror r10
	orrne r0, r1, #0x3FC
	orrne r2, r3, #7
	orrne r4, r5, r6
	orrne r4, r5, r6, lsl #2
	orrne r4, r5, r6, lsr #32
	orrne r4, r5, r6, asr #1
	orrne r4, r5, r6, ror #31
	orrne r4, r5, r6, rrx
	orrne r7, r8, r9, lsl r10
	orrne r7, r8, r9, asr r10
	orrne r7, r8, r9, ror r10
	orrs r0, r1, #0x3FC
	orrs r2, r3, #7
	orrs r4, r5, r6
	orrs r4, r5, r6, lsl #2
	orrs r4, r5, r6, lsr #32
	orrs r4, r5, r6, asr #1
	orrs r4, r5, r6, ror #31
	orrs r4, r5, r6, rrx
	orrs r7, r8, r9, lsl r10
	orrs r7, r8, r9, asr r10
	orrs r7, r8, r9, ror r10
	orrsne r0, r1, #0x3FC
	orrsne r2, r3, #7
	orrsne r4, r5, r6
	orrsne r4, r5, r6, lsl #2
	orrsne r4, r5, r6, lsr #32
	orrsne r4, r5, r6, asr #1
	orrsne r4, r5, r6, ror #31
	orrsne r4, r5, r6, rrx
	orrsne r7, r8, r9, lsl r10
	orrsne r7, r8, r9, asr r10
	orrsne r7, r8, r9, ror r10
	bic r0, r1, #0x3FC
	bic r2, r3, #7
	bic r4, r5, r6
	bic r4, r5, r6, lsl #2
	bic r4, r5, r6, lsr #32
	bic r4, r5, r6, asr #1
	bic r4, r5, r6, ror #31
	bic r4, r5, r6, rrx
	bic r7, r8, r9, lsl r10
	bic r7, r8, r9, asr r10
	bic r7, r8, r9, ror r10
	bicne r0, r1, #0x3FC
	bicne r2, r3, #7
	bicne r4, r5, r6
	bicne r4, r5, r6, lsl #2
	bicne r4, r5, r6, lsr #32
	bicne r4, r5, r6, asr #1
	bicne r4, r5, r6, ror #31
	bicne r4, r5, r6, rrx
	bicne r7, r8, r9, lsl r10
	bicne r7, r8, r9, asr r10
	bicne r7, r8, r9, ror r10
	bics r0, r1, #0x3FC
	bics r2, r3, #7
	bics r4, r5, r6
	bics r4, r5, r6, lsl #2
	bics r4, r5, r6, lsr #32
	bics r4, r5, r6, asr #1
	bics r4, r5, r6, ror #31
	bics r4, r5, r6, rrx
	bics r7, r8, r9, lsl r10
	bics r7, r8, r9, asr r10
	bics r7, r8, r9, ror r10
	bicsne r0, r1, #0x3FC
	bicsne r2, r3, #7
	bicsne r4, r5, r6
	bicsne r4, r5, r6, lsl #2
	bicsne r4, r5, r6, lsr #32
	bicsne r4, r5, r6, asr #1
	bicsne r4, r5, r6, ror #31
	bicsne r4, r5, r6, rrx
	bicsne r7, r8, r9, lsl r10
	bicsne r7, r8, r9, asr r10
	bicsne r7, r8, r9, ror r10
	tst r3, #0
	tst r3, #0xFF000000
	tst r3, r4
	tst r3, r4, lsl #3
	tst r3, r4, lsr r5
	tst r3, r4, rrx
	tsteq r3, #0
	tsteq r3, #0xFF000000
	tsteq r3, r4
	tsteq r3, r4, lsl #3
	tsteq r3, r4, lsr r5
	tsteq r3, r4, rrx
	teq r3, #0
	teq r3, #0xFF000000
	teq r3, r4
	teq r3, r4, lsl #3
	teq r3, r4, lsr r5
	teq r3, r4, rrx
	teqeq r3, #0
	teqeq r3, #0xFF000000
	teqeq r3, r4
	teqeq r3, r4, lsl #3
	teqeq r3, r4, lsr r5
	teqeq r3, r4, rrx
	cmp r3, #0
	cmp r3, #0xFF000000
	cmp r3, r4
	cmp r3, r4, lsl #3
	cmp r3, r4, lsr r5
	cmp r3, r4, rrx
	cmpeq r3, #0
	cmpeq r3, #0xFF000000
	cmpeq r3, r4
	cmpeq r3, r4, lsl #3
	cmpeq r3, r4, lsr r5
	cmpeq r3, r4, rrx
	cmn r3, #0
	cmn r3, #0xFF000000
	cmn r3, r4
	cmn r3, r4, lsl #3
	cmn r3, r4, lsr r5
	cmn r3, r4, rrx
	cmneq r3, #0
	cmneq r3, #0xFF000000
	cmneq r3, r4
	cmneq r3, r4, lsl #3
	cmneq r3, r4, lsr r5
	cmneq r3, r4, rrx
	mov r1, #33
	mov r1, r2
	movgt r1, #33
	movgt r1, r2
	movs r1, #33
	movs r1, r2
	movsgt r1, #33
	movsgt r1, r2
	mvn r1, #33
	mvn r1, r2
	mvn r1, r2, lsl #3
	mvn r1, r2, asr r3
	mvn r1, r2, rrx
	mvngt r1, #33
	mvngt r1, r2
	mvngt r1, r2, lsl #3
	mvngt r1, r2, asr r3
	mvngt r1, r2, rrx
	mvns r1, #33
	mvns r1, r2
	mvns r1, r2, lsl #3
	mvns r1, r2, asr r3
	mvns r1, r2, rrx
	mvnsgt r1, #33
	mvnsgt r1, r2
	mvnsgt r1, r2, lsl #3
	mvnsgt r1, r2, asr r3
	mvnsgt r1, r2, rrx
	lsl r0, r1, #3
	lsl r0, r1, r2
	lsr r0, r1, #3
	lsr r0, r1, r2
	asr r0, r1, #3
	asr r0, r1, r2
	ror r0, r1, #3
	ror r0, r1, r2
	lsr r0, r1, #32
	rrx r0, r1
	lsls r0, r1, #3
	lsls r0, r1, r2
	lsrs r0, r1, #3
	lsrs r0, r1, r2
	asrs r0, r1, #3
	asrs r0, r1, r2
	rors r0, r1, #3
	rors r0, r1, r2
	lsrs r0, r1, #32
	rrxs r0, r1
	mov pc, lr
	movs pc, lr
	ldr r0, [r1]
	ldr r0, [r1, #4]
	ldr r0, [r1, #-4]
	ldr r0, [r1, #4]!
	ldr r0, [r1, #-4095]!
	ldr r0, [r1], #4
	ldr r0, [r1], #-4
	ldr r0, [r1, r2]
	ldr r0, [r1, -r2]
	ldr r0, [r1, r2, lsl #2]
	ldr r0, [r1, -r2, asr #32]
	ldr r0, [r1, r2, ror #3]!
	ldr r0, [r1, r2, rrx]
	ldr r0, [r1], r2
	ldr r0, [r1], -r2, lsr #4
	ldrne r0, [r1]
	ldrne r0, [r1, #4]
	ldrne r0, [r1, #-4]
	ldrne r0, [r1, #4]!
	ldrne r0, [r1, #-4095]!
	ldrne r0, [r1], #4
	ldrne r0, [r1], #-4
	ldrne r0, [r1, r2]
	ldrne r0, [r1, -r2]
	ldrne r0, [r1, r2, lsl #2]
	ldrne r0, [r1, -r2, asr #32]
	ldrne r0, [r1, r2, ror #3]!
	ldrne r0, [r1, r2, rrx]
	ldrne r0, [r1], r2
	ldrne r0, [r1], -r2, lsr #4
	str r0, [r1]
	str r0, [r1, #4]
	str r0, [r1, #-4]
	str r0, [r1, #4]!
	str r0, [r1, #-4095]!
	str r0, [r1], #4
	str r0, [r1], #-4
	str r0, [r1, r2]
	str r0, [r1, -r2]
	str r0, [r1, r2, lsl #2]
	str r0, [r1, -r2, asr #32]
	str r0, [r1, r2, ror #3]!
	str r0, [r1, r2, rrx]
	str r0, [r1], r2
	str r0, [r1], -r2, lsr #4
	strne r0, [r1]
	strne r0, [r1, #4]
	strne r0, [r1, #-4]
	strne r0, [r1, #4]!
	strne r0, [r1, #-4095]!
	strne r0, [r1], #4
	strne r0, [r1], #-4
	strne r0, [r1, r2]
	strne r0, [r1, -r2]
	strne r0, [r1, r2, lsl #2]
	strne r0, [r1, -r2, asr #32]
	strne r0, [r1, r2, ror #3]!
	strne r0, [r1, r2, rrx]
	strne r0, [r1], r2
	strne r0, [r1], -r2, lsr #4
	ldrb r0, [r1]
	ldrb r0, [r1, #4]
	ldrb r0, [r1, #-4]
	ldrb r0, [r1, #4]!
	ldrb r0, [r1, #-4095]!
	ldrb r0, [r1], #4
	ldrb r0, [r1], #-4
	ldrb r0, [r1, r2]
	ldrb r0, [r1, -r2]
	ldrb r0, [r1, r2, lsl #2]
	ldrb r0, [r1, -r2, asr #32]
	ldrb r0, [r1, r2, ror #3]!
	ldrb r0, [r1, r2, rrx]
	ldrb r0, [r1], r2
	ldrb r0, [r1], -r2, lsr #4
	ldrbne r0, [r1]
	ldrbne r0, [r1, #4]
	ldrbne r0, [r1, #-4]
	ldrbne r0, [r1, #4]!
	ldrbne r0, [r1, #-4095]!
	ldrbne r0, [r1], #4
	ldrbne r0, [r1], #-4
	ldrbne r0, [r1, r2]
	ldrbne r0, [r1, -r2]
	ldrbne r0, [r1, r2, lsl #2]
	ldrbne r0, [r1, -r2, asr #32]
	ldrbne r0, [r1, r2, ror #3]!
	ldrbne r0, [r1, r2, rrx]
	ldrbne r0, [r1], r2
	ldrbne r0, [r1], -r2, lsr #4
	strb r0, [r1]
	strb r0, [r1, #4]
	strb r0, [r1, #-4]
	strb r0, [r1, #4]!
	strb r0, [r1, #-4095]!
	strb r0, [r1], #4
	strb r0, [r1], #-4
	strb r0, [r1, r2]
	strb r0, [r1, -r2]
	strb r0, [r1, r2, lsl #2]
	strb r0, [r1, -r2, asr #32]
	strb r0, [r1, r2, ror #3]!
	strb r0, [r1, r2, rrx]
	strb r0, [r1], r2
	strb r0, [r1], -r2, lsr #4
	strbne r0, [r1]
	strbne r0, [r1, #4]
	strbne r0, [r1, #-4]
	strbne r0, [r1, #4]!
	strbne r0, [r1, #-4095]!
	strbne r0, [r1], #4
	strbne r0, [r1], #-4
	strbne r0, [r1, r2]
	strbne r0, [r1, -r2]
	strbne r0, [r1, r2, lsl #2]
	strbne r0, [r1, -r2, asr #32]
	strbne r0, [r1, r2, ror #3]!
	strbne r0, [r1, r2, rrx]
	strbne r0, [r1], r2
	strbne r0, [r1], -r2, lsr #4
	ldrt r0, [r1], #4
	ldrt r0, [r1], #-8
	ldrt r0, [r1], r2
	ldrt r0, [r1], -r2, lsl #1
	strt r0, [r1], #4
	strt r0, [r1], #-8
	strt r0, [r1], r2
	strt r0, [r1], -r2, lsl #1
	ldrbt r0, [r1], #4
	ldrbt r0, [r1], #-8
	ldrbt r0, [r1], r2
	ldrbt r0, [r1], -r2, lsl #1
	strbt r0, [r1], #4
	strbt r0, [r1], #-8
	strbt r0, [r1], r2
	strbt r0, [r1], -r2, lsl #1
	ldr r0, [pc, #8]
	ldr r0, [pc, #-8]
	ldrb r0, [pc, #12]
	str r0, [pc, #16]
	push {r0}
	pop {r0}
	pushne {r0}
	pop {r1-r2}
	ldrh r0, [r1]
	ldrh r0, [r1, #4]
	ldrh r0, [r1, #-255]
	ldrh r0, [r1, #4]!
	ldrh r0, [r1], #8
	ldrh r0, [r1], #-8
	ldrh r0, [r1, r2]
	ldrh r0, [r1, -r2]!
	ldrh r0, [r1], r2
	ldrh r0, [r1], -r2
	ldrhlt r0, [r1]
	ldrhlt r0, [r1, #4]
	ldrhlt r0, [r1, #-255]
	ldrhlt r0, [r1, #4]!
	ldrhlt r0, [r1], #8
	ldrhlt r0, [r1], #-8
	ldrhlt r0, [r1, r2]
	ldrhlt r0, [r1, -r2]!
	ldrhlt r0, [r1], r2
	ldrhlt r0, [r1], -r2
	strh r0, [r1]
	strh r0, [r1, #4]
	strh r0, [r1, #-255]
	strh r0, [r1, #4]!
	strh r0, [r1], #8
	strh r0, [r1], #-8
	strh r0, [r1, r2]
	strh r0, [r1, -r2]!
	strh r0, [r1], r2
	strh r0, [r1], -r2
	strhlt r0, [r1]
	strhlt r0, [r1, #4]
	strhlt r0, [r1, #-255]
	strhlt r0, [r1, #4]!
	strhlt r0, [r1], #8
	strhlt r0, [r1], #-8
	strhlt r0, [r1, r2]
	strhlt r0, [r1, -r2]!
	strhlt r0, [r1], r2
	strhlt r0, [r1], -r2
	ldrsb r0, [r1]
	ldrsb r0, [r1, #4]
	ldrsb r0, [r1, #-255]
	ldrsb r0, [r1, #4]!
	ldrsb r0, [r1], #8
	ldrsb r0, [r1], #-8
	ldrsb r0, [r1, r2]
	ldrsb r0, [r1, -r2]!
	ldrsb r0, [r1], r2
	ldrsb r0, [r1], -r2
	ldrsblt r0, [r1]
	ldrsblt r0, [r1, #4]
	ldrsblt r0, [r1, #-255]
	ldrsblt r0, [r1, #4]!
	ldrsblt r0, [r1], #8
	ldrsblt r0, [r1], #-8
	ldrsblt r0, [r1, r2]
	ldrsblt r0, [r1, -r2]!
	ldrsblt r0, [r1], r2
	ldrsblt r0, [r1], -r2
	ldrsh r0, [r1]
	ldrsh r0, [r1, #4]
	ldrsh r0, [r1, #-255]
	ldrsh r0, [r1, #4]!
	ldrsh r0, [r1], #8
	ldrsh r0, [r1], #-8
	ldrsh r0, [r1, r2]
	ldrsh r0, [r1, -r2]!
	ldrsh r0, [r1], r2
	ldrsh r0, [r1], -r2
	ldrshlt r0, [r1]
	ldrshlt r0, [r1, #4]
	ldrshlt r0, [r1, #-255]
	ldrshlt r0, [r1, #4]!
	ldrshlt r0, [r1], #8
	ldrshlt r0, [r1], #-8
	ldrshlt r0, [r1, r2]
	ldrshlt r0, [r1, -r2]!
	ldrshlt r0, [r1], r2
	ldrshlt r0, [r1], -r2
	ldrd r4, r5, [r1]
	ldrd r4, r5, [r1, #8]
	ldrd r4, r5, [r1, #-8]!
	ldrd r4, r5, [r1], #16
	ldrd r4, r5, [r1, r3]
	ldrd r4, r5, [r1], -r3
	strd r4, r5, [r1]
	strd r4, r5, [r1, #8]
	strd r4, r5, [r1, #-8]!
	strd r4, r5, [r1], #16
	strd r4, r5, [r1, r3]
	strd r4, r5, [r1], -r3
	ldrht r0, [r1], #2
	ldrht r0, [r1], -r2
	strht r0, [r1], #2
	strht r0, [r1], -r2
	ldrsbt r0, [r1], #2
	ldrsbt r0, [r1], -r2
	ldrsht r0, [r1], #2
	ldrsht r0, [r1], -r2
	swp r0, r1, [r2]
	swpb r0, r1, [r2]
	swpne r0, r1, [r2]
	ldrex r0, [r1]
	ldrexb r0, [r1]
	ldrexh r0, [r1]
	ldrexd r2, r3, [r1]
	strex r0, r2, [r1]
	strexb r0, r2, [r1]
	strexh r0, r2, [r1]
	strexd r0, r2, r3, [r1]
	ldm r0, {r1, r2, r4-r7}
	ldm r0!, {r1, lr}
	ldmne r0, {r1, r2, r4-r7}
	ldmne r0!, {r1, lr}
	ldmda r0, {r1, r2, r4-r7}
	ldmda r0!, {r1, lr}
	ldmdane r0, {r1, r2, r4-r7}
	ldmdane r0!, {r1, lr}
	ldmdb r0, {r1, r2, r4-r7}
	ldmdb r0!, {r1, lr}
	ldmdbne r0, {r1, r2, r4-r7}
	ldmdbne r0!, {r1, lr}
	ldmib r0, {r1, r2, r4-r7}
	ldmib r0!, {r1, lr}
	ldmibne r0, {r1, r2, r4-r7}
	ldmibne r0!, {r1, lr}
	stm r0, {r1, r2, r4-r7}
	stm r0!, {r1, lr}
	stmne r0, {r1, r2, r4-r7}
	stmne r0!, {r1, lr}
	stmda r0, {r1, r2, r4-r7}
	stmda r0!, {r1, lr}
	stmdane r0, {r1, r2, r4-r7}
	stmdane r0!, {r1, lr}
	stmdb r0, {r1, r2, r4-r7}
	stmdb r0!, {r1, lr}
	stmdbne r0, {r1, r2, r4-r7}
	stmdbne r0!, {r1, lr}
	stmib r0, {r1, r2, r4-r7}
	stmib r0!, {r1, lr}
	stmibne r0, {r1, r2, r4-r7}
	stmibne r0!, {r1, lr}
	ldm r0, {r1, pc}^
	stmia r0, {r1-r2}^
	ldmib r0, {r1-r2}^
	push {r4, lr}
	pop {r4, pc}
	ldm sp, {r4}
	stmib sp!, {r0-r1}
	ldmdb sp!, {r0-r1}
	ldmda sp!, {r0-r3}
	stmda sp!, {r0-r3}
	mul r0, r1, r2
	mla r0, r1, r2, r3
	smull r0, r1, r2, r3
	smlal r0, r1, r2, r3
	umull r0, r1, r2, r3
	umlal r0, r1, r2, r3
	muleq r0, r1, r2
	mlaeq r0, r1, r2, r3
	smulleq r0, r1, r2, r3
	smlaleq r0, r1, r2, r3
	umulleq r0, r1, r2, r3
	umlaleq r0, r1, r2, r3
	muls r0, r1, r2
	mlas r0, r1, r2, r3
	smulls r0, r1, r2, r3
	smlals r0, r1, r2, r3
	umulls r0, r1, r2, r3
	umlals r0, r1, r2, r3
	mulseq r0, r1, r2
	mlaseq r0, r1, r2, r3
	smullseq r0, r1, r2, r3
	smlalseq r0, r1, r2, r3
	umullseq r0, r1, r2, r3
	umlalseq r0, r1, r2, r3
	mls r0, r1, r2, r3
	umaal r0, r1, r2, r3
	smlabb r0, r1, r2, r3
	smlalbb r0, r1, r2, r3
	smulbb r0, r1, r2
	smlabt r0, r1, r2, r3
	smlalbt r0, r1, r2, r3
	smulbt r0, r1, r2
	smlawb r0, r1, r2, r3
	smulwb r0, r1, r2
	smlatb r0, r1, r2, r3
	smlaltb r0, r1, r2, r3
	smultb r0, r1, r2
	smlatt r0, r1, r2, r3
	smlaltt r0, r1, r2, r3
	smultt r0, r1, r2
	smlawt r0, r1, r2, r3
	smulwt r0, r1, r2
	smlad r0, r1, r2, r3
	smladx r0, r1, r2, r3
	smlsd r0, r1, r2, r3
	smlsdx r0, r1, r2, r3
	smmla r0, r1, r2, r3
	smmlar r0, r1, r2, r3
	smmls r0, r1, r2, r3
	smmlsr r0, r1, r2, r3
	usada8 r0, r1, r2, r3
	smuad r0, r1, r2
	smuadx r0, r1, r2
	smusd r0, r1, r2
	smusdx r0, r1, r2
	smmul r0, r1, r2
	smmulr r0, r1, r2
	usad8 r0, r1, r2
	sdiv r0, r1, r2
	udiv r0, r1, r2
	smlald r0, r1, r2, r3
	smlaldx r0, r1, r2, r3
	smlsld r0, r1, r2, r3
	smlsldx r0, r1, r2, r3
	qadd r0, r1, r2
	qsub r0, r1, r2
	qdadd r0, r1, r2
	qdsub r0, r1, r2
	sadd16 r0, r1, r2
	sasx r0, r1, r2
	ssax r0, r1, r2
	ssub16 r0, r1, r2
	sadd8 r0, r1, r2
	ssub8 r0, r1, r2
	qadd16 r0, r1, r2
	qasx r0, r1, r2
	qsax r0, r1, r2
	qsub16 r0, r1, r2
	qadd8 r0, r1, r2
	qsub8 r0, r1, r2
	shadd16 r0, r1, r2
	shasx r0, r1, r2
	shsax r0, r1, r2
	shsub16 r0, r1, r2
	shadd8 r0, r1, r2
	shsub8 r0, r1, r2
	uadd16 r0, r1, r2
	uasx r0, r1, r2
	usax r0, r1, r2
	usub16 r0, r1, r2
	uadd8 r0, r1, r2
	usub8 r0, r1, r2
	uqadd16 r0, r1, r2
	uqasx r0, r1, r2
	uqsax r0, r1, r2
	uqsub16 r0, r1, r2
	uqadd8 r0, r1, r2
	uqsub8 r0, r1, r2
	uhadd16 r0, r1, r2
	uhasx r0, r1, r2
	uhsax r0, r1, r2
	uhsub16 r0, r1, r2
	uhadd8 r0, r1, r2
	uhsub8 r0, r1, r2
	pkhbt r0, r1, r2
	pkhbt r0, r1, r2, lsl #4
	pkhtb r0, r1, r2, asr #4
	pkhtb r0, r1, r2, asr #32
	ssat r0, #8, r1
	ssat r0, #32, r1, lsl #4
	ssat r0, #1, r1, asr #3
	usat r0, #7, r1
	usat r0, #31, r1, asr #31
	ssat r0, #8, r1, asr #32
	usat r0, #7, r1, asr #32
	ssat16 r0, #8, r1
	usat16 r0, #15, r1
	sel r0, r1, r2
	rev r0, r1
	rev16 r0, r1
	revsh r0, r1
	rbit r0, r1
	sxtb r0, r1
	sxtb r0, r1, ror #8
	sxth r0, r1
	sxth r0, r1, ror #8
	sxtb16 r0, r1
	sxtb16 r0, r1, ror #8
	uxtb r0, r1
	uxtb r0, r1, ror #8
	uxth r0, r1
	uxth r0, r1, ror #8
	uxtb16 r0, r1
	uxtb16 r0, r1, ror #8
	sxtab r0, r1, r2
	sxtab r0, r1, r2, ror #24
	sxtah r0, r1, r2
	sxtah r0, r1, r2, ror #24
	sxtab16 r0, r1, r2
	sxtab16 r0, r1, r2, ror #24
	uxtab r0, r1, r2
	uxtab r0, r1, r2, ror #24
	uxtah r0, r1, r2
	uxtah r0, r1, r2, ror #24
	uxtab16 r0, r1, r2
	uxtab16 r0, r1, r2, ror #24
	bfc r0, #4, #8
	bfi r0, r1, #0, #32
	sbfx r0, r1, #3, #5
	ubfx r0, r1, #0, #1
	movw r0, #0xFFFF
	movt r1, #18
	movwne r2, #0x1234
	mrs r0, cpsr
	mrs r0, spsr
	msr cpsr_fc, r0
	msr spsr_fsxc, r1
	msr cpsr_f, #0xF0000000
	msr cpsr_c, #0x1F
	mrs r0, r8_usr
	msr sp_fiq, r1
	mrs r2, spsr_svc
	msr elr_hyp, r3
	svc #0
	svc #0x123456
	svcne #1
	bkpt #0x1234
	smc #3
	hvc #0x1234
	eret
	cpsie i
	cpsid aif
	cpsie af, #16
	cps #19
	setend be
	setend le
	srsdb sp!, #19
	srsia sp, #17
	rfeia r0
	rfedb r1!
	rfeib r2
	rfeda r3!
	pld [r0, #4]
	pld [r0, #-4]
	pld [r0, r1]
	pld [r0, -r1, lsl #2]
	pli [r0, #8]
	pli [r0, r1, lsl #1]
	clrex
	dsb sy
	dsb ish
	dmb ishst
	dmb oshst
	isb
	nop
	yield
	wfe
	wfi
	sev
	dbg #5
	nopne
	bx lr
	bxne r3
	blx r2
	bxj r1
	clz r0, r1
	clzeq r0, r1
	mcr p15, 0, r0, c1, c0, 0
	mcr p15, 0, r0, c7, c10, 5
	mrc p14, 1, r2, c3, c4, 7
	mcr2 p7, 1, r0, c2, c3, 4
	mrc2 p7, 1, r0, c2, c3
	cdp p5, 2, c1, c2, c3, 4
	cdp2 p5, 15, c1, c2, c3, 0
	mcrr p5, 3, r0, r1, c2
	mrrc p5, 3, r0, r1, c2
	mcrr2 p5, 3, r0, r1, c2
	mrrc2 p6, 0, r2, r3, c15
	ldc p5, c1, [r0, #8]
	ldc p5, c1, [r0, #-8]!
	ldcl p5, c1, [r0], #16
	stc p5, c1, [r0], {5}
	stcl p5, c1, [r0, #0]
	ldc2 p5, c1, [r0, #4]
	stc2l p5, c1, [r0], #-4
	.type later, %function
later:
	mov r0, r0
	bx lr
	.type thumbcode, %function
	.thumb
thumbcode:
	bx lr
	bx lr
