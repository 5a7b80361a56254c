/* Memory-mapped peripherals declared the way vendor device headers declare them, and
   the globals in .data that hold their base addresses. */
#include <stdint.h>

#define __I  volatile const
#define __O  volatile
#define __IO volatile

typedef struct {
    __IO uint32_t CR1;
    __IO uint32_t CR2;
    __I  uint32_t SR;              /* read-only status register */
    __O  uint32_t DR;
    uint32_t RESERVED0[2];         /* padding left out */
    __IO uint16_t BRR;
    uint16_t Reserved1;            /* left out */
    __IO uint8_t FIFO[4];          /* an array of registers */
    __IO uint32_t reserved;        /* lower case: written */
} USART_TypeDef;

typedef enum { GPIO_INPUT, GPIO_OUTPUT } GPIO_Mode;

typedef struct {
    __IO uint32_t EN : 1;
    __IO uint32_t MODE : 2;
    uint32_t res_3 : 5;            /* reserved bits: left out */
    __IO uint32_t SPEED : 4;
} GPIO_CFG_Bits;

typedef struct {
    __IO uint32_t MODER;
    union {                        /* a register and its bit fields */
        __IO uint32_t ODR;
        struct {
            __IO uint32_t OD0 : 1;
            __IO uint32_t OD1 : 1;
            __IO uint32_t ODH : 8;
        } ODR_b;
    };
    struct {                       /* a nested register block */
        __IO uint32_t LOW;
        __IO uint32_t HIGH;
    } AFR;
    GPIO_CFG_Bits CFG;             /* a named register with bit fields */
    __I GPIO_CFG_Bits LOCK;        /* the same, read-only */
    __IO GPIO_Mode MODE;           /* enumerations write nothing */
    __IO uint16_t PINS[2][2];      /* only the first dimension counts */
} GPIO_TypeDef;

typedef struct {
    __IO uint32_t ENABLE : 1;      /* bit fields of a nameless block */
    __IO uint32_t PRIORITY : 4;
} NVIC_Bits;

struct node {                      /* leads back to itself through a pointer */
    struct node *next;
    uint32_t value;
};

USART_TypeDef *USART1 = (USART_TypeDef *)0x40011000;
/* In an object its section is .data.rel: not listed; the linker merges it into .data. */
USART_TypeDef *USART2 __attribute__((section(".data.rel"))) = (USART_TypeDef *)0x40004400;
GPIO_TypeDef *GPIOA = (GPIO_TypeDef *)0x40020000;
NVIC_Bits *NVIC_CTRL = (NVIC_Bits *)0xE000E100;
struct node ring = { &ring, 7 };
uint32_t *__vendor_base = (uint32_t *)0x1FFF0000;   /* "__" names are skipped */
static __attribute__((used)) uint32_t *local_base = (uint32_t *)0x20000000;   /* not external */
GPIO_TypeDef *const GPIOB = (GPIO_TypeDef *)0x40020400;   /* in .rodata: not listed */
USART_TypeDef *unused_port;   /* in .bss: not listed */

/* A function with a frame: its locals are addressed from the frame base. */
int usart_send(USART_TypeDef *usart, uint8_t c)
{
    uint32_t timeout = 1000;
    float load = 0.5f;
    double baud = 115200.0;
    signed char margin = -1;
    short steps = 2;
    long long ticks = 3;
    while (!(usart->SR & 0x80) && --timeout)
        ;
    usart->DR = c;
    (void)load, (void)baud, (void)margin, (void)steps, (void)ticks;   /* their base types */
    return timeout != 0;
}
