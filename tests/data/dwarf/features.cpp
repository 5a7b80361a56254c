// Source of the C++ DWARF fixture: classes, templates and inlined functions, so that
// specification and abstract-origin references occur.
namespace shapes {

class Shape {
public:
    explicit Shape(int id) : id(id) {}
    virtual ~Shape() {}
    virtual int area() const = 0;
    int identity() const { return id; }
    static int created;

protected:
    int id;
};

int Shape::created = 0;

template <class T>
class Rect : public Shape {
public:
    Rect(int id, T w, T h) : Shape(id), w(w), h(h) {}
    int area() const override { return int(w * h); }

private:
    T w, h;
};

template <class T, int N>
struct Table {
    T items[N];
    T sum() const
    {
        T s = T();
        for (int i = 0; i < N; ++i)
            s += items[i];
        return s;
    }
};

static inline int square(int v) { return v * v; }

} // namespace shapes

int total_area(const shapes::Shape& a, const shapes::Shape& b)
{
    return a.area() + b.area() + shapes::square(a.identity());
}

int make_shapes(int k)
{
    shapes::Rect<int> r(1, k, 2);
    shapes::Rect<unsigned char> f(2, 3, 4);
    shapes::Table<short, 4> t = {{1, 2, 3, short(k)}};
    ++shapes::Shape::created;
    return total_area(r, f) + t.sum();
}

// The image is linked without libraries: the two runtime hooks the classes need.
extern "C" void __cxa_pure_virtual() {}
void operator delete(void*, unsigned int) noexcept {}
