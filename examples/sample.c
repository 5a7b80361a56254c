/* A tiny bare-metal "hello, world": ARM start-up code calls Thumb functions that write
   a greeting to a memory-mapped UART. Built into sample.elf by build.sh. */

struct uart_registers {
    volatile unsigned int data;          /* write: transmit a character */
    volatile unsigned int status;        /* bit 5: transmit FIFO full */
    volatile unsigned int control;
};

#define UART ((struct uart_registers *)0x101f1000)
#define TX_FULL (1u << 5)

static const char greeting[] = "hello, world\n";

/* Counters kept in .data (the layout version makes them initialised data). */
struct statistics {
    unsigned int version;
    unsigned int characters;
    unsigned int lines;
} uart_statistics = {1, 0, 0};

__attribute__((target("thumb"), noinline)) static void uart_putc(char c)
{
    while (UART->status & TX_FULL)
        ;
    UART->data = (unsigned char)c;
    uart_statistics.characters++;
    if (c == '\n')
        uart_statistics.lines++;
}

__attribute__((target("thumb"), noinline)) void uart_puts(const char *text)
{
    while (*text)
        uart_putc(*text++);
}

__attribute__((target("arm"), noreturn)) void _start(void)
{
    UART->control = 1;
    for (;;)
        uart_puts(greeting);
}
