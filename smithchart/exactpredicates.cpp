#include "exactpredicates.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace {

constexpr double Epsilon = 0x1p-53; // half an ulp of 1: the relative rounding error
// Bounds on the rounding error of the double determinants relative to their permanents.
constexpr double OrientationBound = (3.0 + 16.0 * Epsilon) * Epsilon;
constexpr double InCircleBound = (10.0 + 96.0 * Epsilon) * Epsilon;
// Differences within these bounds keep every product of up to four of them, and every step
// that leads to one, clear of underflow and overflow, which the error bounds above assume.
constexpr double SmallestSafe = 0x1p-240;
constexpr double LargestSafe = 0x1p+240;

bool withinSafeRange(std::initializer_list<double> differences)
{
    for (double difference : differences) {
        const double magnitude = std::abs(difference);
        if (magnitude != 0.0 && !(magnitude >= SmallestSafe && magnitude <= LargestSafe))
            return false;
    }
    return true;
}

int signOf(double value)
{
    return (value > 0.0) - (value < 0.0);
}

// A double as an odd mantissa times a power of two: exact for every finite double.
struct Binary
{
    std::uint64_t mantissa = 0;
    int exponent = 0;
    bool negative = false;
};

Binary binaryOf(double value)
{
    Binary binary;
    if (value == 0.0)
        return binary;
    int exponent = 0;
    const double fraction = std::frexp(std::abs(value), &exponent);
    binary.mantissa = std::uint64_t(std::ldexp(fraction, 53));
    binary.exponent = exponent - 53;
    const int zeros = __builtin_ctzll(binary.mantissa);
    binary.mantissa >>= zeros;
    binary.exponent += zeros;
    binary.negative = value < 0.0;
    return binary;
}

// A signed integer in sign and magnitude, of at most Capacity limbs of 64 bits.
template<int Capacity> class Integer
{
public:
    // value · 2^-lowest, where lowest is at most the exponent of each binary given.
    static Integer of(const Binary &value, int lowest)
    {
        Integer result;
        if (value.mantissa == 0)
            return result;
        const int shift = value.exponent - lowest;
        const int limb = shift / 64, bit = shift % 64;
        result.m_size = limb + 2;
        for (int i = 0; i < result.m_size; ++i)
            result.m_limbs[i] = 0;
        result.m_limbs[limb] = value.mantissa << bit;
        result.m_limbs[limb + 1] = bit == 0 ? 0 : value.mantissa >> (64 - bit);
        result.m_negative = value.negative;
        result.trim();
        return result;
    }

    int sign() const { return m_size == 0 ? 0 : (m_negative ? -1 : 1); }

    friend Integer operator-(Integer value)
    {
        value.m_negative = !value.m_negative && value.m_size > 0;
        return value;
    }

    friend Integer operator+(const Integer &a, const Integer &b)
    {
        if (a.m_negative == b.m_negative)
            return withSign(addMagnitudes(a, b), a.m_negative);
        if (compareMagnitudes(a, b) >= 0)
            return withSign(subtractMagnitudes(a, b), a.m_negative);
        return withSign(subtractMagnitudes(b, a), b.m_negative);
    }

    friend Integer operator-(const Integer &a, const Integer &b) { return a + -b; }

    friend Integer operator*(const Integer &a, const Integer &b)
    {
        Integer result;
        result.m_size = a.m_size + b.m_size;
        for (int i = 0; i < result.m_size; ++i)
            result.m_limbs[i] = 0;
        for (int i = 0; i < a.m_size; ++i) {
            std::uint64_t carry = 0;
            for (int j = 0; j < b.m_size; ++j) {
                const unsigned __int128 product =
                    (unsigned __int128)a.m_limbs[i] * b.m_limbs[j] + result.m_limbs[i + j] + carry;
                result.m_limbs[i + j] = std::uint64_t(product);
                carry = std::uint64_t(product >> 64);
            }
            result.m_limbs[i + b.m_size] = carry;
        }
        return withSign(result, a.m_negative != b.m_negative);
    }

private:
    static Integer withSign(Integer value, bool negative)
    {
        value.trim();
        value.m_negative = negative && value.m_size > 0;
        return value;
    }

    static int compareMagnitudes(const Integer &a, const Integer &b)
    {
        if (a.m_size != b.m_size)
            return a.m_size < b.m_size ? -1 : 1;
        for (int i = a.m_size - 1; i >= 0; --i) {
            if (a.m_limbs[i] != b.m_limbs[i])
                return a.m_limbs[i] < b.m_limbs[i] ? -1 : 1;
        }
        return 0;
    }

    static Integer addMagnitudes(const Integer &a, const Integer &b)
    {
        const Integer &longer = a.m_size >= b.m_size ? a : b;
        const Integer &shorter = a.m_size >= b.m_size ? b : a;
        Integer result;
        unsigned __int128 carry = 0;
        for (int i = 0; i < longer.m_size; ++i) {
            carry += longer.m_limbs[i];
            if (i < shorter.m_size)
                carry += shorter.m_limbs[i];
            result.m_limbs[i] = std::uint64_t(carry);
            carry >>= 64;
        }
        result.m_limbs[longer.m_size] = std::uint64_t(carry);
        result.m_size = longer.m_size + 1;
        return result;
    }

    // |a| - |b| for |a| >= |b|.
    static Integer subtractMagnitudes(const Integer &a, const Integer &b)
    {
        Integer result;
        std::uint64_t borrow = 0;
        for (int i = 0; i < a.m_size; ++i) {
            const std::uint64_t subtrahend = i < b.m_size ? b.m_limbs[i] : 0;
            const std::uint64_t difference = a.m_limbs[i] - subtrahend - borrow;
            borrow = (a.m_limbs[i] < subtrahend || (a.m_limbs[i] == subtrahend && borrow)) ? 1 : 0;
            result.m_limbs[i] = difference;
        }
        result.m_size = a.m_size;
        return result;
    }

    void trim()
    {
        while (m_size > 0 && m_limbs[m_size - 1] == 0)
            --m_size;
    }

    std::array<std::uint64_t, Capacity> m_limbs;
    int m_size = 0; // limbs in use, the highest of them not zero
    bool m_negative = false;
};

// The coordinates of a few points as odd multiples of powers of two, and the lowest power.
template<std::size_t Count> struct Coordinates
{
    std::array<Binary, 2 * Count> binaries;
    int lowest = 0;
    int highest = 0; // at least the bits of the largest coordinate on the grid of the lowest

    explicit Coordinates(const QPointF (&points)[Count])
    {
        for (std::size_t i = 0; i < Count; ++i) {
            binaries[2 * i] = binaryOf(points[i].x());
            binaries[2 * i + 1] = binaryOf(points[i].y());
        }
        bool first = true;
        for (const Binary &binary : binaries) {
            if (binary.mantissa != 0 && (first || binary.exponent < lowest)) {
                lowest = binary.exponent;
                first = false;
            }
        }
        for (const Binary &binary : binaries) {
            if (binary.mantissa != 0)
                highest = std::max(highest, binary.exponent - lowest + 53);
        }
    }

    // The coordinates as integers on the finest grid that holds them all.
    template<int Capacity> std::array<Integer<Capacity>, 2 * Count> onOneGrid() const
    {
        std::array<Integer<Capacity>, 2 * Count> integers;
        for (std::size_t i = 0; i < integers.size(); ++i)
            integers[i] = Integer<Capacity>::of(binaries[i], lowest);
        return integers;
    }
};

// Limbs enough for a sum of three products of four differences of coordinates of `bits` bits,
// with one to spare for a carry.
constexpr int limbsFor(int bits)
{
    return (4 * (bits + 1) + 4) / 64 + 2;
}

// The coordinates' integers on the narrowest of three widths that holds them: measured data
// span some tens of bits, the widest doubles 2098.
template<std::size_t Count, typename Evaluate>
int onNarrowestIntegers(const Coordinates<Count> &coordinates, Evaluate evaluate)
{
    if (coordinates.highest <= 120)
        return evaluate(std::integral_constant<int, limbsFor(120)>());
    if (coordinates.highest <= 250)
        return evaluate(std::integral_constant<int, limbsFor(250)>());
    return evaluate(std::integral_constant<int, limbsFor(2098)>());
}

template<int Capacity> int orientationOf(const Coordinates<3> &coordinates)
{
    const auto v = coordinates.template onOneGrid<Capacity>();
    const auto acx = v[0] - v[4], acy = v[1] - v[5];
    const auto bcx = v[2] - v[4], bcy = v[3] - v[5];
    return (acx * bcy - acy * bcx).sign();
}

template<int Capacity> int inCircleOf(const Coordinates<4> &coordinates)
{
    const auto v = coordinates.template onOneGrid<Capacity>();
    const auto adx = v[0] - v[6], ady = v[1] - v[7];
    const auto bdx = v[2] - v[6], bdy = v[3] - v[7];
    const auto cdx = v[4] - v[6], cdy = v[5] - v[7];
    const auto aLift = adx * adx + ady * ady;
    const auto bLift = bdx * bdx + bdy * bdy;
    const auto cLift = cdx * cdx + cdy * cdy;
    return (aLift * (bdx * cdy - cdx * bdy) + bLift * (cdx * ady - adx * cdy) +
            cLift * (adx * bdy - bdx * ady))
        .sign();
}

int exactOrientation(const QPointF &a, const QPointF &b, const QPointF &c)
{
    const QPointF points[] = {a, b, c};
    const Coordinates<3> coordinates(points);
    return onNarrowestIntegers(coordinates, [&](auto limbs) {
        return orientationOf<decltype(limbs)::value>(coordinates);
    });
}

int exactInCircle(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    const QPointF points[] = {a, b, c, d};
    const Coordinates<4> coordinates(points);
    return onNarrowestIntegers(
        coordinates, [&](auto limbs) { return inCircleOf<decltype(limbs)::value>(coordinates); });
}

} // namespace

int ExactPredicates::orientation(const QPointF &a, const QPointF &b, const QPointF &c)
{
    const double acx = a.x() - c.x(), acy = a.y() - c.y();
    const double bcx = b.x() - c.x(), bcy = b.y() - c.y();
    if (withinSafeRange({acx, acy, bcx, bcy})) {
        const double left = acx * bcy;
        const double right = acy * bcx;
        const double determinant = left - right;
        if (std::abs(determinant) > OrientationBound * (std::abs(left) + std::abs(right)))
            return signOf(determinant);
    }
    return exactOrientation(a, b, c);
}

int ExactPredicates::inCircle(const QPointF &a, const QPointF &b, const QPointF &c,
                              const QPointF &d)
{
    const double adx = a.x() - d.x(), ady = a.y() - d.y();
    const double bdx = b.x() - d.x(), bdy = b.y() - d.y();
    const double cdx = c.x() - d.x(), cdy = c.y() - d.y();
    if (withinSafeRange({adx, ady, bdx, bdy, cdx, cdy})) {
        const double bdxcdy = bdx * cdy, cdxbdy = cdx * bdy;
        const double cdxady = cdx * ady, adxcdy = adx * cdy;
        const double adxbdy = adx * bdy, bdxady = bdx * ady;
        const double aLift = adx * adx + ady * ady;
        const double bLift = bdx * bdx + bdy * bdy;
        const double cLift = cdx * cdx + cdy * cdy;
        const double determinant =
            aLift * (bdxcdy - cdxbdy) + bLift * (cdxady - adxcdy) + cLift * (adxbdy - bdxady);
        const double permanent = (std::abs(bdxcdy) + std::abs(cdxbdy)) * aLift +
                                 (std::abs(cdxady) + std::abs(adxcdy)) * bLift +
                                 (std::abs(adxbdy) + std::abs(bdxady)) * cLift;
        if (std::abs(determinant) > InCircleBound * permanent)
            return signOf(determinant);
    }
    return exactInCircle(a, b, c, d);
}
