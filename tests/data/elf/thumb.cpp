// Thumb-state C++: a class with a constructor and const member function, a function
// with C linkage and a namespace, so the symbol table holds mangled names.
namespace geometry {
struct Point {
    Point(int x, int y);
    int sum() const;
    int x, y;
};

Point::Point(int x, int y) : x(x), y(y) {}

int Point::sum() const
{
    return x + y;
}
}

extern "C" int scale(int value)
{
    return geometry::Point(value, 2).sum() * 3;
}

int twice(long value)
{
    return int(value) * 2;
}
