@ ARMv8-M Baseline: the few 32-bit instructions beyond ARMv6-M.
	.syntax unified
	.thumb
	.text
	.global v8m_baseline
	.thumb_func
v8m_baseline:
	sg
	tt r0, r1
	cbz r0, v8mb_end
	movw r0, #1
	movt r0, #2
	sdiv r0, r1, r2
	udiv r0, r1, r2
	ldrex r0, [r1]
	strex r2, r0, [r1]
	b.w v8mb_end
	bxns lr
v8mb_end:
	bx lr
