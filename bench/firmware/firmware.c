/* A small firmware-style program: a ring buffer, a command parser, fixed-point and
   soft-float arithmetic, sorting and formatted output through newlib. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <math.h>

#define RING_SIZE 64

struct ring {
    uint8_t data[RING_SIZE];
    volatile uint32_t head;
    volatile uint32_t tail;
};

static struct ring rx;
volatile uint32_t *const uart_status = (uint32_t *)0x40004000;
volatile uint32_t *const uart_data = (uint32_t *)0x40004004;
static uint32_t ticks;

static int ring_put(struct ring *r, uint8_t byte)
{
    uint32_t next = (r->head + 1) % RING_SIZE;
    if (next == r->tail)
        return -1;
    r->data[r->head] = byte;
    r->head = next;
    return 0;
}

static int ring_get(struct ring *r)
{
    if (r->head == r->tail)
        return -1;
    int byte = r->data[r->tail];
    r->tail = (r->tail + 1) % RING_SIZE;
    return byte;
}

void uart_irq_handler(void)
{
    while (*uart_status & 1)
        ring_put(&rx, (uint8_t)*uart_data);
}

void systick_handler(void)
{
    ticks++;
}

static int32_t q15_mul(int32_t a, int32_t b)
{
    int64_t product = (int64_t)a * b;
    product += 1 << 14;
    product >>= 15;
    if (product > 32767)
        return 32767;
    if (product < -32768)
        return -32768;
    return (int32_t)product;
}

static int compare_ints(const void *a, const void *b)
{
    int x = *(const int *)a, y = *(const int *)b;
    return (x > y) - (x < y);
}

static uint32_t crc32(const uint8_t *p, size_t n)
{
    uint32_t crc = 0xFFFFFFFFu;
    while (n--) {
        crc ^= *p++;
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xEDB88320u & -(crc & 1));
    }
    return ~crc;
}

static const char *command_name(int c)
{
    switch (c) {
    case 'r': return "read";
    case 'w': return "write";
    case 's': return "status";
    case 'b': return "boot";
    case 'e': return "erase";
    case 'v': return "version";
    case 'q': return "quit";
    default: return "unknown";
    }
}

int main(void)
{
    int values[16];
    char line[80];
    for (int i = 0; i < 16; i++)
        values[i] = (int)((i * 7919u) % 101) - 50;
    qsort(values, 16, sizeof values[0], compare_ints);
    double angle = 0.0;
    for (int i = 0; i < 8; i++) {
        angle += 0.25;
        snprintf(line, sizeof line, "%d %f %ld", values[i], sin(angle) * sqrt(angle),
                 (long)q15_mul(values[i] << 8, 0x4000));
        puts(line);
    }
    char *copy = malloc(32);
    if (copy) {
        strncpy(copy, "firmware", 32);
        printf("%s %08lx\n", copy, (unsigned long)crc32((const uint8_t *)copy, strlen(copy)));
        free(copy);
    }
    for (;;) {
        int c = ring_get(&rx);
        if (c < 0)
            break;
        printf("%s at %lu\n", command_name(c), (unsigned long)ticks);
    }
    return (int)(atof("2.5") * 2);
}
