/* Source of the C DWARF fixtures: types, globals, functions and nested scopes. */
typedef unsigned int u32;

enum mode { MODE_OFF, MODE_ON = 3, MODE_AUTO = -1 };

struct regs {
    volatile u32 ctrl;
    const volatile u32 status;
    u32 flag : 3;
    u32 level : 5;
    unsigned char buffer[16];
    union {
        short half[2];
        long word;
    } data;
};

struct regs *const uart = (struct regs *)0x40001000;
int counter = 7;
static const char greeting[] = "hello";
enum mode current_mode = MODE_AUTO;
double ratio = 2.5;
long long big_value = -5;

static int helper(int value)
{
    static int calls;
    return value * 2 + ++calls;
}

int accumulate(const int *values, int count)
{
    int total = 0;
    for (int i = 0; i < count; ++i) {
        int scaled = helper(values[i]);
        total += scaled;
    }
    if (total > 100) {
        char local = greeting[1];
        total += local;
    }
    return total + uart->status + current_mode;
}
