/* Build attributes of a few CPU and floating-point choices: one float function. */
float scaled(float value, int factor)
{
    return value * (float)factor;
}
