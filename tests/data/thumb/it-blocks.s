@ IT blocks of every length and mask, with narrow instructions that change name inside
@ a block and wide instructions that take the block's conditions.
	.syntax unified
	.thumb
	.text
	.global it_blocks
	.thumb_func
	.type it_blocks,%function
it_blocks:
	it eq
	moveq r0, #1
	it ne
	addne r0, r1, r2
	itt eq
	moveq r0, #1
	addeq r0, r0, r1
	ite eq
	moveq r0, #1
	movne r0, #2
	itt ne
	subne r0, #1
	lslne r0, r1, #2
	ite ne
	negne r0, r1
	mvneq r0, r1
	ittt cs
	addcs r0, r1
	andcs r0, r1
	orrcs r0, r1
	itte cs
	eorcs r0, r1
	adccs r0, r1
	sbccc r0, r1
	itet cc
	rorcc r0, r1
	tstcs r0, r1
	mulcc r0, r1, r0
	itee mi
	bicmi r0, r1
	cmppl r0, r1
	cmnpl r0, r1
	itttt pl
	movpl r0, #0
	addpl r0, r1, #1
	subpl r0, r1, #1
	lsrpl r0, r1, #1
	ittte vs
	asrvs r0, r1, #1
	lslvs r0, r1
	lsrvs r0, r1
	asrvc r0, r1
	ittet vc
	movvc r0, r1
	addvc r0, r1
	subvs r0, r1, r2
	addvc r0, r1, r2
	ittee hi
	movhi r0, #1
	movhi r1, #1
	movls r0, #2
	movls r1, #2
	itett ls
	movls r0, #1
	movhi r0, #2
	movls r0, #3
	movls r0, #4
	itete ge
	movge r0, #1
	movlt r0, #2
	movge r0, #3
	movlt r0, #4
	iteet lt
	movlt r0, #1
	movge r0, #2
	movge r0, #3
	movlt r0, #4
	iteee gt
	movgt r0, #1
	movle r0, #2
	movle r0, #3
	movle r0, #4
	itt le
	movle.w r0, #1
	addle.w r0, r1, r2
	itete eq
	ldreq r0, [r1]
	ldrne.w r0, [r1, #4]
	streq r0, [r1, #-4]
	ldrdne r0, r1, [r2]
	itt eq
	addeq r0, r1, #0x100
	beq.w it_blocks
	it ne
	bne it_blocks
	it eq
	bleq it_blocks
	it cs
	bxcs lr
	it cc
	popcc {r4, pc}
	ittt ne
	pushne {r0}
	cmpne r0, #1
	mulne r0, r1, r2
	it eq
	tbbeq [r0, r1]
	@ an undecodable instruction still takes its condition from the block
	itt eq
undefined_in_block:
	.inst.n 0xde00
	moveq r0, #1
	movs r0, #1
	bx lr
	.size it_blocks, .-it_blocks
