/* ARM-state code: global and static functions and data, calls across files. */
int counter = 3;
static int hidden;
const char greeting[] = "hello";

extern int scale(int value);

static int bump(int step)
{
    hidden += step;
    return hidden;
}

int arm_entry(int value)
{
    counter += bump(value);
    return scale(counter) + greeting[1];
}
