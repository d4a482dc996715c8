#include "known_designs.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <set>
#include <unordered_map>
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

// The projective line over a field: points 0..q-1 the field's elements, q the point at infinity;
// each point written (x : y) with y 1, or (1 : 0) for infinity.
class ProjectiveLine {
public:
    explicit ProjectiveLine(const Field &field) : m_field(field) {}
    int size() const { return m_field.size() + 1; }
    int times(int a, int b) const { return m_field.mul(a, b); }

    using Matrix = std::array<int, 4>; // z -> (m0 z + m1) / (m2 z + m3)

    int apply(const Matrix &m, int point) const {
        const int q = m_field.size();
        const int x = point == q ? 1 : point;
        const int y = point == q ? 0 : 1;
        const int top = m_field.add(m_field.mul(m[0], x), m_field.mul(m[1], y));
        const int bottom = m_field.add(m_field.mul(m[2], x), m_field.mul(m[3], y));
        return bottom == 0 ? q : m_field.mul(top, m_field.inverse(bottom));
    }

    // The one Möbius map sending a, b, c (distinct) to infinity, 0 and 1.
    Matrix toFrame(int a, int b, int c) const {
        const int q = m_field.size();
        const auto coords = [q](int p) { return p == q ? std::array{1, 0} : std::array{p, 1}; };
        const auto [a1, a2] = coords(a);
        const auto [b1, b2] = coords(b);
        const auto [c1, c2] = coords(c);
        // z -> λ(b2 z1 - b1 z2) : (a2 z1 - a1 z2), λ chosen so that c goes to 1.
        const auto form = [this](int u, int v, int z1, int z2) {
            return m_field.add(m_field.mul(u, z1), m_field.negate(m_field.mul(v, z2)));
        };
        const int lambda = m_field.mul(form(a2, a1, c1, c2), m_field.inverse(form(b2, b1, c1, c2)));
        return {m_field.mul(lambda, b2), m_field.negate(m_field.mul(lambda, b1)), a2,
                m_field.negate(a1)};
    }

    // x -> x^power: with power a power of the characteristic, a field automorphism (1 the
    // identity); infinity stays.
    int frobenius(int point, int power) const {
        return point == m_field.size() ? point : m_field.power(point, power);
    }

private:
    const Field &m_field;
};

using PointSet = std::uint32_t; // points of a line of at most 32 points, a bit each

std::vector<int> pointsOf(PointSet set) {
    std::vector<int> points;
    for (; set != 0; set &= set - 1)
        points.push_back(std::countr_zero(set));
    return points;
}

// The orbits of a 3-transitive group G ⊆ PΓL(2, q) (every Möbius map, with the field
// automorphisms in `powers`) on the r-sets of the line. As G is 3-transitive, every orbit meets
// the r-sets through {∞, 0, 1}, and its members there are the images of any one under the maps
// that send an ordered triple of it to (∞, 0, 1): a few hundred images an orbit, not |G|.
class LineOrbits {
public:
    LineOrbits(const ProjectiveLine &line, std::vector<int> powers)
        : m_line(line), m_powers(std::move(powers)) {}

    struct Orbit {
        PointSet representative; // through ∞, 0 and 1
        std::uint64_t framed;    // how many members pass through ∞, 0 and 1
    };

    // Every orbit on r-sets; `orbitOf` then names the orbit of any r-set.
    void enumerate(int r) {
        const int infinity = m_line.size() - 1;
        const PointSet frame = bit(infinity) | bit(0) | bit(1);
        std::vector<int> rest;
        for (int p = 2; p < infinity; ++p)
            rest.push_back(p);
        forEachSubset(rest, r - 3, [&](PointSet chosen) {
            const PointSet set = frame | chosen;
            if (m_orbitOfFramed.contains(set))
                return;
            const std::vector<PointSet> members = framedImages(set);
            for (const PointSet member : members)
                m_orbitOfFramed.emplace(member, m_orbits.size());
            m_orbits.push_back({set, members.size()});
        });
    }

    const std::vector<Orbit> &orbits() const { return m_orbits; }

    std::size_t orbitOf(PointSet set) const {
        const std::vector<int> points = pointsOf(set);
        return m_orbitOfFramed.at(image(set, m_line.toFrame(points[0], points[1], points[2]), 1));
    }

    static PointSet bit(int point) { return PointSet{1} << point; }

    // Every subset of `from` of size r, as a set.
    template <typename Visit>
    static void forEachSubset(const std::vector<int> &from, int r, Visit visit) {
        std::vector<std::size_t> pick(static_cast<std::size_t>(r));
        for (std::size_t i = 0; i < pick.size(); ++i)
            pick[i] = i;
        while (true) {
            PointSet set = 0;
            for (const std::size_t i : pick)
                set |= bit(from[i]);
            visit(set);
            std::size_t i = pick.size();
            while (i > 0 && pick[i - 1] == from.size() - pick.size() + i - 1)
                --i;
            if (i == 0)
                return;
            ++pick[i - 1];
            for (std::size_t j = i; j < pick.size(); ++j)
                pick[j] = pick[j - 1] + 1;
        }
    }

    // The whole orbit of a set, closed under generators of G: z -> wz for a primitive w and
    // z -> z + 1 (together every affine map), z -> 1/z (with them, PGL(2, q)) and the field
    // automorphisms of G.
    std::set<PointSet> orbit(PointSet set) const {
        std::vector<Permutation> generators{permutation({primitiveElement(), 0, 0, 1}, 1),
                                            permutation({1, 1, 0, 1}, 1),
                                            permutation({0, 1, 1, 0}, 1)};
        for (const int power : m_powers)
            if (power != 1)
                generators.push_back(permutation({1, 0, 0, 1}, power));
        std::set<PointSet> members{set};
        std::vector<PointSet> todo{set};
        while (!todo.empty()) {
            const PointSet current = todo.back();
            todo.pop_back();
            for (const Permutation &generator : generators) {
                PointSet next = 0;
                for (PointSet rest = current; rest != 0; rest &= rest - 1)
                    next |= bit(generator[static_cast<std::size_t>(std::countr_zero(rest))]);
                if (members.insert(next).second)
                    todo.push_back(next);
            }
        }
        return members;
    }

private:
    using Permutation = std::array<int, 32>;

    Permutation permutation(const ProjectiveLine::Matrix &map, int power) const {
        Permutation result{};
        for (int point = 0; point < m_line.size(); ++point)
            result[static_cast<std::size_t>(point)] =
                m_line.frobenius(m_line.apply(map, point), power);
        return result;
    }

    // An element whose powers are every non-zero element of the field.
    int primitiveElement() const {
        const int q = m_line.size() - 1;
        for (int w = 2; w < q; ++w) {
            int order = 1;
            for (int x = w; x != 1; x = m_line.times(x, w))
                ++order;
            if (order == q - 1)
                return w;
        }
        return 1; // GF(2)
    }

    PointSet image(PointSet set, const ProjectiveLine::Matrix &map, int power) const {
        PointSet result = 0;
        for (; set != 0; set &= set - 1)
            result |= bit(m_line.frobenius(m_line.apply(map, std::countr_zero(set)), power));
        return result;
    }

    // The members of a set's orbit through ∞, 0 and 1, each once.
    std::vector<PointSet> framedImages(PointSet set) const {
        const std::vector<int> points = pointsOf(set);
        std::vector<PointSet> images;
        for (const int a : points)
            for (const int b : points)
                for (const int c : points) {
                    if (a == b || a == c || b == c)
                        continue;
                    const ProjectiveLine::Matrix map = m_line.toFrame(a, b, c);
                    for (const int power : m_powers)
                        images.push_back(image(set, map, power));
                }
        std::sort(images.begin(), images.end());
        images.erase(std::unique(images.begin(), images.end()), images.end());
        return images;
    }

    const ProjectiveLine &m_line;
    std::vector<int> m_powers; // exponents x -> x^power of the field automorphisms in G
    std::vector<Orbit> m_orbits;
    std::unordered_map<PointSet, std::size_t> m_orbitOfFramed;
};

// Chooses columns of `matrix` (rows × columns, entries 0, 1 or more) whose sum is 1 in every row:
// an exact cover, by backtracking on the row with the fewest candidate columns.
std::optional<std::vector<std::size_t>>
exactCover(const std::vector<std::vector<std::uint64_t>> &matrix) {
    const std::size_t rows = matrix.size();
    const std::size_t columns = rows == 0 ? 0 : matrix[0].size();
    std::vector<bool> usable(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        usable[c] = true;
        for (std::size_t r = 0; r < rows; ++r)
            usable[c] = usable[c] && matrix[r][c] <= 1;
    }
    std::vector<bool> covered(rows, false);
    std::vector<std::size_t> chosen;
    const auto search = [&](const auto &self) -> bool {
        std::size_t best = rows;
        std::size_t fewest = columns + 1;
        for (std::size_t r = 0; r < rows; ++r) {
            if (covered[r])
                continue;
            std::size_t count = 0;
            for (std::size_t c = 0; c < columns; ++c)
                count += usable[c] && matrix[r][c] == 1 ? 1 : 0;
            if (count < fewest) {
                fewest = count;
                best = r;
            }
        }
        if (best == rows)
            return true;
        for (std::size_t c = 0; c < columns; ++c) {
            if (!usable[c] || matrix[best][c] != 1)
                continue;
            bool fits = true;
            for (std::size_t r = 0; r < rows; ++r)
                fits = fits && (matrix[r][c] == 0 || !covered[r]);
            if (!fits)
                continue;
            for (std::size_t r = 0; r < rows; ++r)
                if (matrix[r][c] != 0)
                    covered[r] = true;
            chosen.push_back(c);
            if (self(self))
                return true;
            chosen.pop_back();
            for (std::size_t r = 0; r < rows; ++r)
                if (matrix[r][c] != 0)
                    covered[r] = false;
        }
        return false;
    };
    if (!search(search))
        return std::nullopt;
    return chosen;
}

// A Steiner system S(t, k, q+1) on the projective line over `field` made of whole orbits of the
// group G (every Möbius map and the field automorphisms x -> x^power), found as Kramer and
// Mesner do: rows the orbits on t-sets, columns the orbits on k-sets, an entry the count of
// blocks of the column's orbit through one t-set of the row's; a choice of columns summing to 1
// in every row puts every t-set in exactly one block. Blocks over points 0..q (q is ∞).
std::set<Block> orbitSteinerSystem(const Field &field, std::vector<int> powers, int t, int k) {
    const ProjectiveLine line(field);
    LineOrbits small(line, powers);
    LineOrbits large(line, powers);
    small.enumerate(t);
    large.enumerate(k);
    // Orbit sizes from the framed members: every 3-set of points lies in as many members of an
    // orbit, so |orbit| · C(r, 3) = framed · C(q+1, 3).
    const int points = line.size();
    const auto orbitSize = [points](const LineOrbits::Orbit &orbit, int r) {
        return orbit.framed * choose(points, 3) / choose(r, 3);
    };
    std::vector<std::vector<std::uint64_t>> matrix(
        small.orbits().size(), std::vector<std::uint64_t>(large.orbits().size(), 0));
    for (std::size_t column = 0; column < large.orbits().size(); ++column) {
        const LineOrbits::Orbit &block = large.orbits()[column];
        // t-sets of the block by orbit; then blocks of the orbit through one t-set of a row's.
        std::vector<std::uint64_t> inside(small.orbits().size(), 0);
        LineOrbits::forEachSubset(pointsOf(block.representative), t,
                                  [&](PointSet subset) { ++inside[small.orbitOf(subset)]; });
        for (std::size_t row = 0; row < small.orbits().size(); ++row)
            matrix[row][column] =
                inside[row] * orbitSize(block, k) / orbitSize(small.orbits()[row], t);
    }
    std::set<Block> blocks;
    const std::optional<std::vector<std::size_t>> chosen = exactCover(matrix);
    if (!chosen)
        return blocks;
    for (const std::size_t column : *chosen)
        for (const PointSet member : large.orbit(large.orbits()[column].representative)) {
            const std::vector<int> block = pointsOf(member);
            blocks.insert(Block(block.begin(), block.end()));
        }
    return blocks;
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
    // Denniston's S(5,7,28): whole orbits of PΓL(2, 27) (the maps with x -> x^3 and x^9) on
    // the line over GF(27), ∞ the point 27; derived at ∞, then at 26.
    const Field gf27(3, 3, {1, 2, 0}); // x^3 + 2x + 1
    const std::set<Block> s5728 = orbitSteinerSystem(gf27, {1, 3, 9}, 5, 7);
    if (!s5728.empty()) {
        const std::set<Block> s4627 = derived(s5728, 27);
        designs.push_back(
            {wheelOf(s5728, 28, 5), "Denniston's Steiner system S(5,7,28), orbits of PΓL(2,27)"});
        designs.push_back({wheelOf(s4627, 27, 4),
                           "the Steiner system S(4,6,27), derived from Denniston's S(5,7,28)"});
        designs.push_back({wheelOf(derived(s4627, 26), 26, 3),
                           "the Steiner system S(3,5,26), derived twice from Denniston's "
                           "S(5,7,28)"});
    }
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
