@ ARMv4T forms for the round trip with -arch v4T (assembled with -march=armv4t).
	.syntax unified
	.arm
	.text
	.global entry
	.type entry, %function
entry:
	add r0, r1, #0xFF00
	subs r2, r3, r4, lsl #31
	rsbne r5, r6, r7, asr r8
	movs r0, r1, ror #7
	mvn r0, r1
	tst r2, #0x80000000
	cmp r3, r4, rrx
	ldr r0, [r1, #-4]!
	strb r0, [r1], r2
	ldrt r0, [r1], #4
	ldrh r0, [r1, #6]
	strh r0, [r1], -r2
	ldrsb r0, [r1, #-1]
	ldrsh r0, [r1, r2]!
	ldm r0, {r1-r3}
	stmdb sp!, {r4-r11, lr}
	ldm sp!, {r4-r11, pc}
	ldmib r0!, {r1, r5}^
	mul r0, r1, r2
	mlas r0, r1, r2, r3
	umull r0, r1, r2, r3
	smlal r0, r1, r2, r3
	swp r0, r1, [r2]
	swpb r0, r1, [r2]
	mrs r0, spsr
	msr cpsr_fc, r1
	msr spsr_f, #0xF0000000
	svc #0x900001
	bx lr
	bl entry
	bgt entry
	ldc p4, c1, [r0, #16]
	stcl p4, c1, [r0], #-16
	cdp p4, 1, c1, c2, c3, 4
	mcr p15, 0, r0, c1, c0
	mrc p15, 0, r1, c2, c0, 1
