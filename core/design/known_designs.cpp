#include "known_designs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <set>
#include <vector>

namespace marlek {
namespace {

// GF(p^e), its elements 0..q-1 as the digits base p of polynomials in x, reduced by a monic
// irreducible polynomial of degree e (its lower coefficients given, lowest first).
class Field {
public:
    Field(int p, int e, std::vector<int> reduction) : m_p(p), m_e(e), m_q(1) {
        for (int i = 0; i < e; ++i)
            m_q *= p;
        m_add.assign(static_cast<std::size_t>(m_q * m_q), 0);
        m_mul.assign(static_cast<std::size_t>(m_q * m_q), 0);
        for (int a = 0; a < m_q; ++a)
            for (int b = 0; b < m_q; ++b) {
                m_add[index(a, b)] = fromDigits(addDigits(digits(a), digits(b)));
                m_mul[index(a, b)] = fromDigits(mulDigits(digits(a), digits(b), reduction));
            }
        m_inverse.assign(static_cast<std::size_t>(m_q), 0);
        for (int a = 1; a < m_q; ++a)
            for (int b = 1; b < m_q; ++b)
                if (mul(a, b) == 1)
                    m_inverse[static_cast<std::size_t>(a)] = b;
    }
    int size() const { return m_q; }
    int add(int a, int b) const { return m_add[index(a, b)]; }
    int mul(int a, int b) const { return m_mul[index(a, b)]; }
    int negate(int a) const {
        for (int b = 0; b < m_q; ++b)
            if (add(a, b) == 0)
                return b;
        return 0;
    }
    int inverse(int a) const { return m_inverse[static_cast<std::size_t>(a)]; }
    int power(int a, int n) const {
        int r = 1;
        for (int i = 0; i < n; ++i)
            r = mul(r, a);
        return r;
    }

private:
    std::size_t index(int a, int b) const { return static_cast<std::size_t>(a * m_q + b); }
    std::vector<int> digits(int a) const {
        std::vector<int> d(static_cast<std::size_t>(m_e), 0);
        for (int i = 0; i < m_e; ++i, a /= m_p)
            d[static_cast<std::size_t>(i)] = a % m_p;
        return d;
    }
    int fromDigits(const std::vector<int> &d) const {
        int a = 0;
        for (int i = m_e - 1; i >= 0; --i)
            a = a * m_p + d[static_cast<std::size_t>(i)];
        return a;
    }
    std::vector<int> addDigits(std::vector<int> a, const std::vector<int> &b) const {
        for (std::size_t i = 0; i < a.size(); ++i)
            a[i] = (a[i] + b[i]) % m_p;
        return a;
    }
    std::vector<int> mulDigits(const std::vector<int> &a, const std::vector<int> &b,
                               const std::vector<int> &reduction) const {
        std::vector<int> product(static_cast<std::size_t>(2 * m_e), 0);
        for (int i = 0; i < m_e; ++i)
            for (int j = 0; j < m_e; ++j)
                product[static_cast<std::size_t>(i + j)] =
                    (product[static_cast<std::size_t>(i + j)] +
                     a[static_cast<std::size_t>(i)] * b[static_cast<std::size_t>(j)]) %
                    m_p;
        // x^e = -(reduction), from the top down.
        for (int top = 2 * m_e - 1; top >= m_e; --top) {
            const int c = product[static_cast<std::size_t>(top)];
            if (c == 0)
                continue;
            product[static_cast<std::size_t>(top)] = 0;
            for (int i = 0; i < m_e; ++i) {
                auto &slot = product[static_cast<std::size_t>(top - m_e + i)];
                slot = ((slot - c * reduction[static_cast<std::size_t>(i)]) % m_p + m_p) % m_p;
            }
        }
        product.resize(static_cast<std::size_t>(m_e));
        return product;
    }

    int m_p;
    int m_e;
    int m_q;
    std::vector<int> m_add;
    std::vector<int> m_mul;
    std::vector<int> m_inverse;
};

using Block = std::vector<int>; // numbers 0..N-1

PlainWheel wheelOf(const std::set<Block> &blocks, int numbers, int t) {
    PlainWheel wheel;
    wheel.kind = static_cast<int>(blocks.begin()->size());
    wheel.numbers = numbers;
    wheel.guarantee = {t, t};
    for (const Block &block : blocks) {
        NumberSet ticket = 0;
        for (const int point : block)
            ticket |= bitOf(point + 1);
        wheel.tickets.push_back(ticket);
    }
    return wheel;
}

// The images of `base` (points of the line over `field`, q standing for ∞) under every Möbius map
// z -> (az + b)/(cz + d) whose determinant passes `keep`.
template <typename Keep>
std::set<Block> moebiusImages(const Field &field, const Block &base, Keep keep) {
    const int q = field.size();
    const int infinity = q;
    std::set<Block> images;
    // Each map once: scaled so that c is 1, or c is 0 and d is 1 (a scaling multiplies the
    // determinant by a square, which keeps it a square or not).
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b)
            for (int c = 0; c < 2; ++c)
                for (int d = c == 0 ? 1 : 0; d < (c == 0 ? 2 : q); ++d) {
                    const int det = field.add(field.mul(a, d), field.negate(field.mul(b, c)));
                    if (det == 0 || !keep(det))
                        continue;
                    Block image;
                    for (const int z : base) {
                        int w = 0;
                        if (z == infinity) {
                            w = c == 0 ? infinity : field.mul(a, field.inverse(c));
                        } else {
                            const int numerator = field.add(field.mul(a, z), b);
                            const int denominator = field.add(field.mul(c, z), d);
                            w = denominator == 0 ? infinity
                                                 : field.mul(numerator, field.inverse(denominator));
                        }
                        image.push_back(w);
                    }
                    std::sort(image.begin(), image.end());
                    images.insert(image);
                }
    return images;
}

// S(5,6,12) from PSL(2, 11): the squares' determinants keep the orbit of one design.
std::set<Block> witt12() {
    const Field gf11(11, 1, {0});
    const auto square = [&gf11](int x) {
        for (int y = 1; y < 11; ++y)
            if (gf11.mul(y, y) == x)
                return true;
        return false;
    };
    return moebiusImages(gf11, {11, 1, 3, 4, 5, 9}, square);
}

// The inversive plane of order q: circles are the images of GF(q) ∪ {∞} inside GF(q^2) ∪ {∞}.
std::set<Block> inversivePlane(const Field &big, int q) {
    Block base;
    for (int x = 0; x < big.size(); ++x)
        if (big.power(x, q) == x) // the subfield GF(q)
            base.push_back(x);
    base.push_back(big.size());
    return moebiusImages(big, base, [](int) { return true; });
}

// The extended binary Golay code's octads: words of weight 8 among the 4096 codewords.
std::vector<std::uint32_t> golayOctads() {
    constexpr std::uint32_t generator = 0b110001110101; // x^11+x^10+x^6+x^5+x^4+x^2+1
    std::vector<std::uint32_t> rows;
    for (int shift = 0; shift < 12; ++shift)
        rows.push_back(generator << shift);
    std::vector<std::uint32_t> octads;
    for (std::uint32_t choice = 0; choice < (1u << 12); ++choice) {
        std::uint32_t word = 0;
        for (int i = 0; i < 12; ++i)
            if (choice >> i & 1)
                word ^= rows[static_cast<std::size_t>(i)];
        if (std::popcount(word) % 2 == 1)
            word |= 1u << 23; // the parity place
        if (std::popcount(word) == 8)
            octads.push_back(word);
    }
    return octads;
}

// S(3,6,22): the octads through places 22 and 23, those two taken out.
std::set<Block> golay22() {
    std::set<Block> blocks;
    for (const std::uint32_t octad : golayOctads()) {
        if ((octad >> 22 & 3) != 3)
            continue;
        Block block;
        for (int place = 0; place < 22; ++place)
            if (octad >> place & 1)
                block.push_back(place);
        blocks.insert(block);
    }
    return blocks;
}

// The blocks through point `through`, that point taken out and the points above it moved down.
std::set<Block> derived(const std::set<Block> &blocks, int through) {
    std::set<Block> result;
    for (const Block &block : blocks) {
        if (std::find(block.begin(), block.end(), through) == block.end())
            continue;
        Block rest;
        for (const int point : block)
            if (point != through)
                rest.push_back(point > through ? point - 1 : point);
        result.insert(rest);
    }
    return result;
}

// Points and lines of PG(2, q): the one-dimensional subspaces of GF(q)^3, each written with its
// first non-zero coordinate 1; a point lies on a line when their dot product is 0.
std::set<Block> projectivePlane(const Field &field) {
    const int q = field.size();
    std::vector<std::array<int, 3>> points;
    for (int x = 0; x < q; ++x)
        for (int y = 0; y < q; ++y)
            points.push_back({1, x, y});
    for (int y = 0; y < q; ++y)
        points.push_back({0, 1, y});
    points.push_back({0, 0, 1});
    std::set<Block> lines;
    for (const auto &line : points) {
        Block block;
        for (std::size_t i = 0; i < points.size(); ++i) {
            int dot = 0;
            for (std::size_t j = 0; j < 3; ++j)
                dot = field.add(dot, field.mul(line[j], points[i][j]));
            if (dot == 0)
                block.push_back(static_cast<int>(i));
        }
        lines.insert(block);
    }
    return lines;
}

// AG(2, q): the lines y = mx + b and x = c over GF(q), point (x, y) numbered x·q + y.
std::set<Block> affinePlane(const Field &field) {
    const int q = field.size();
    std::set<Block> lines;
    for (int m = 0; m < q; ++m)
        for (int b = 0; b < q; ++b) {
            Block block;
            for (int x = 0; x < q; ++x)
                block.push_back(x * q + field.add(field.mul(m, x), b));
            std::sort(block.begin(), block.end());
            lines.insert(block);
        }
    for (int c = 0; c < q; ++c) {
        Block block;
        for (int y = 0; y < q; ++y)
            block.push_back(c * q + y);
        lines.insert(block);
    }
    return lines;
}

std::vector<KnownDesign> buildAll() {
    std::vector<KnownDesign> designs;
    const std::set<Block> s5612 = witt12();
    designs.push_back({wheelOf(s5612, 12, 5),
                       "the Steiner system S(5,6,12), an orbit of PSL(2,11) on the line over "
                       "GF(11)"});
    designs.push_back({wheelOf(derived(s5612, 11), 11, 4),
                       "the Steiner system S(4,5,11), derived from S(5,6,12)"});
    designs.push_back(
        {wheelOf(golay22(), 22, 3), "the Steiner system S(3,6,22) from the binary Golay code"});
    const Field gf16(2, 4, {1, 1, 0, 0}); // x^4 + x + 1
    const Field gf25(5, 2, {2, 1});       // x^2 + x + 2
    designs.push_back({wheelOf(inversivePlane(gf16, 4), 17, 3),
                       "the Steiner system S(3,5,17), the inversive plane of order 4"});
    designs.push_back({wheelOf(inversivePlane(gf25, 5), 26, 3),
                       "the Steiner system S(3,6,26), the inversive plane of order 5"});
    const Field gf4(2, 2, {1, 1}); // x^2 + x + 1
    const Field gf5(5, 1, {0});
    designs.push_back({wheelOf(projectivePlane(gf4), 21, 2), "the projective plane of order 4"});
    designs.push_back({wheelOf(projectivePlane(gf5), 31, 2), "the projective plane of order 5"});
    designs.push_back({wheelOf(affinePlane(gf5), 25, 2), "the affine plane of order 5"});
    return designs;
}

} // namespace

std::span<const KnownDesign> knownDesigns() {
    static const std::vector<KnownDesign> designs = buildAll();
    return designs;
}

} // namespace marlek
