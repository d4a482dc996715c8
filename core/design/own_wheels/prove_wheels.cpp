// Proves every wheel file of the program's own table when the program is built: compiled with
// optimisation on its own (no sanitizers, no project code), so the whole table is proven in
// seconds in every build. For each file: the header "K N T M", then tickets of K distinct numbers
// from 1 to N ascending; every set of M numbers must hold T numbers of one ticket. A set of M
// meets a ticket in T exactly when one of its T-sets lies inside the ticket, so every T-set inside
// a ticket is marked first. Prints each failure and exits 1 if any file fails.
//
//   prove_wheels FILE...

#include <bit>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Set = std::uint64_t;

std::uint64_t binomial(int n, int r) {
    if (r < 0 || n < r)
        return 0;
    std::uint64_t value = 1;
    for (int i = 1; i <= r; ++i)
        value = value * static_cast<std::uint64_t>(n - r + i) / static_cast<std::uint64_t>(i);
    return value;
}

std::vector<std::vector<std::uint64_t>> binomials(int n) {
    std::vector<std::vector<std::uint64_t>> table(static_cast<std::size_t>(n) + 1,
                                                  std::vector<std::uint64_t>(10, 0));
    for (int i = 0; i <= n; ++i)
        for (int r = 0; r < 10; ++r)
            table[static_cast<std::size_t>(i)][static_cast<std::size_t>(r)] = binomial(i, r);
    return table;
}

Set nextSameSize(Set set) {
    const Set lowest = set & (~set + 1);
    const Set ripple = set + lowest;
    return ripple | (((set ^ ripple) >> 2) / lowest);
}

// What is wrong with the file, or an empty text.
std::string problemOf(const std::string &path) {
    std::ifstream in(path);
    std::string line;
    if (!std::getline(in, line))
        return "cannot be read";
    std::istringstream header(line);
    int k = 0, n = 0, t = 0, m = 0;
    if (!(header >> k >> n >> t >> m) || k < 1 || k > 8 || n < k || n > 49 || t < 1 || t > k ||
        m < t || m > k)
        return "bad header \"" + line + "\"";
    const auto c = binomials(n);
    std::vector<Set> tickets;
    while (std::getline(in, line)) {
        std::istringstream numbers(line);
        Set ticket = 0;
        int count = 0, last = 0, number = 0;
        while (numbers >> number) {
            if (number <= last || number > n)
                return "bad ticket \"" + line + "\"";
            ticket |= Set{1} << (number - 1);
            last = number;
            ++count;
        }
        if (count != k)
            return "bad ticket \"" + line + "\"";
        tickets.push_back(ticket);
    }
    if (tickets.empty())
        return "no tickets";
    std::vector<bool> inside(static_cast<std::size_t>(binomial(n, t)), false);
    for (const Set ticket : tickets)
        for (Set places = (Set{1} << t) - 1; places < (Set{1} << k); places = nextSameSize(places)) {
            std::uint64_t rank = 0;
            int j = 0;
            Set rest = ticket;
            for (int place = 0; place < k; ++place, rest &= rest - 1)
                if (places >> place & 1)
                    rank += c[static_cast<std::size_t>(std::countr_zero(rest))]
                             [static_cast<std::size_t>(++j)];
            inside[rank] = true;
        }
    std::uint64_t missed = 0;
    std::vector<int> bits(static_cast<std::size_t>(m));
    for (Set draw = (Set{1} << m) - 1; draw < (Set{1} << n); draw = nextSameSize(draw)) {
        Set rest = draw;
        for (std::size_t i = 0; i < bits.size(); ++i, rest &= rest - 1)
            bits[i] = std::countr_zero(rest);
        bool met = false;
        for (Set places = (Set{1} << t) - 1; !met && places < (Set{1} << m);
             places = nextSameSize(places)) {
            std::uint64_t rank = 0;
            int j = 0;
            for (int place = 0; place < m; ++place)
                if (places >> place & 1)
                    rank += c[static_cast<std::size_t>(bits[static_cast<std::size_t>(place)])]
                             [static_cast<std::size_t>(++j)];
            met = inside[rank];
        }
        missed += met ? 0 : 1;
    }
    if (missed > 0)
        return std::to_string(missed) + " sets of " + std::to_string(m) + " meet no ticket in " +
               std::to_string(t);
    return {};
}

} // namespace

int main(int argc, char **argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i)
        if (const std::string problem = problemOf(argv[i]); !problem.empty()) {
            std::cerr << argv[i] << ": " << problem << '\n';
            ++failed;
        }
    if (failed == 0)
        std::cout << "proven: " << argc - 1 << " wheels of the own table\n";
    return failed == 0 ? 0 : 1;
}
