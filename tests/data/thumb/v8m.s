@ ARMv8-M Mainline: security extension, load-acquire/store-release and the ns branches.
	.syntax unified
	.thumb
	.text
	.global v8m
	.thumb_func
	.type v8m,%function
v8m:
	sg
	tt r0, r1
	ttt r2, r3
	tta r4, r5
	ttat r6, r7
	bxns lr
	blxns r3
	lda r0, [r1]
	ldab r0, [r1]
	ldah r0, [r1]
	stl r0, [r1]
	stlb r0, [r1]
	stlh r0, [r1]
	ldaex r0, [r1]
	ldaexb r0, [r1]
	ldaexh r0, [r1]
	stlex r2, r0, [r1]
	stlexb r2, r0, [r1]
	stlexh r2, r0, [r1]
	mrs r0, msp_ns
	msr psp_ns, r0
	cbz r0, v8m_end
	movw r0, #1
	movt r0, #2
	sdiv r0, r1, r2
v8m_end:
	bx lr
	.size v8m, .-v8m
