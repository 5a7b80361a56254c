@ A hand-made .debug_frame listed in tests/data/dwarf/frame-listing.txt, assembled
@ little- and big-endian: every call-frame opcode, an FDE before any CIE, FDEs after two
@ CIEs, a version-4 CIE with "z" augmentation data, and an FDE whose last instruction's
@ operands lie after its declared end.
        .section .debug_frame,"",%progbits

@ FDE before any CIE: both alignment factors are 1.
        .4byte 2f-1f            @ length
1:      .4byte 0                @ id
        .4byte 0, 4             @ initial location, address range
        .byte 0x43              @ DW_CFA_advance_loc 3
        .byte 0x81, 2           @ DW_CFA_offset r1, 2
2:

@ CIE version 1, no augmentation, code alignment 2, data alignment -4, return address r14.
        .4byte 2f-1f
1:      .4byte 0xffffffff
        .byte 1
        .asciz ""
        .uleb128 2
        .sleb128 -4
        .byte 14
        .byte 0x0c, 13, 0       @ DW_CFA_def_cfa r13, 0
2:

@ FDE: every opcode with operands, and the compact forms.
        .4byte 2f-1f
1:      .4byte 0
        .4byte 0x8000, 0x7c
        .byte 0x43              @ DW_CFA_advance_loc 3
        .byte 0x8e, 1           @ DW_CFA_offset r14, 1
        .byte 0xc4              @ DW_CFA_restore r4
        .byte 0x00              @ DW_CFA_nop
        .byte 0x01              @ DW_CFA_set_loc
        .4byte 0x80001234
        .byte 0x02, 0xff        @ DW_CFA_advance_loc1
        .byte 0x03              @ DW_CFA_advance_loc2
        .2byte 0x1234
        .byte 0x04              @ DW_CFA_advance_loc4
        .4byte 0x10000
        .byte 0x05, 4, 3        @ DW_CFA_offset_extended r4, 3
        .byte 0x06              @ DW_CFA_restore_extended
        .uleb128 200
        .byte 0x07, 5           @ DW_CFA_undefined
        .byte 0x08, 6           @ DW_CFA_same_value
        .byte 0x09, 1, 2        @ DW_CFA_register
        .byte 0x0a              @ DW_CFA_remember_state
        .byte 0x0b              @ DW_CFA_restore_state
        .byte 0x0c, 13          @ DW_CFA_def_cfa r13, 300
        .uleb128 300
        .byte 0x0d, 11          @ DW_CFA_def_cfa_register
        .byte 0x0e, 16          @ DW_CFA_def_cfa_offset
        .byte 0x11, 4           @ DW_CFA_offset_extended_sf r4, -2
        .sleb128 -2
        .byte 0x12, 13          @ DW_CFA_def_cfa_sf r13, 3
        .sleb128 3
        .byte 0x13              @ DW_CFA_def_cfa_offset_sf -1
        .sleb128 -1
2:

@ CIE version 4 with "z": its augmentation length (2) and data decode as instructions.
        .4byte 2f-1f
1:      .4byte 0xffffffff
        .byte 4
        .asciz "z"
        .byte 4, 0              @ address size, segment selector size
        .uleb128 4
        .sleb128 8
        .byte 15
        .byte 2, 0x10, 0x0b     @ augmentation length and data
2:

@ FDE whose id names the first CIE: the factors are still the most recent CIE's. The
@ opcodes listed with " - eek" leave their operands to decode as instructions.
        .4byte 2f-1f
1:      .4byte 0
        .4byte 0x9000, 0x10
        .byte 0x41              @ DW_CFA_advance_loc 1
        .byte 0x82, 3           @ DW_CFA_offset r2, 3
        .byte 0x0f, 2, 0x70, 0  @ DW_CFA_def_cfa_expression, length 2
        .byte 0x10, 0x0a        @ DW_CFA_expression
        .byte 0x14, 0x0b        @ DW_CFA_val_offset
        .byte 0x15, 0x16        @ DW_CFA_val_offset_sf, DW_CFA_val_expression
        .byte 0x17, 0x3f        @ vendor opcodes
        .byte 0x0c              @ DW_CFA_def_cfa, its operands after the entry's end
2:      .byte 13, 4

        .4byte 2f-1f
1:      .4byte 0x12345678
        .4byte 0xa000, 0x20
        .byte 0xc1              @ DW_CFA_restore r1
        .byte 0x13              @ DW_CFA_def_cfa_offset_sf -2
        .sleb128 -2
2:
