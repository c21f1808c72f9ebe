#include "generators/paritygen/minimal_netlist.hpp"

#include "generators/paritygen/multiplier.hpp"

#include <algorithm>
#include <bit>
#include <limits>
#include <string>
#include <tuple>

namespace ipgen::rsenc {

namespace {

// The search state: the signals built so far and, for every m-bit mask, the
// least number of signals whose XOR is that mask. Masks have at most 12 bits,
// so the table covers the whole space and stays exact: a new signal s changes
// the count of v to min(count(v), count(v ^ s) + 1), since a shortest sum
// uses s at most once.
class XorSearch {
  public:
    explicit XorSearch(int m) : space_(std::size_t{1} << m) {
        program_.m = m;
        count_.resize(space_);
        for (std::size_t v = 0; v < space_; ++v) {
            count_[v] = std::popcount(static_cast<std::uint32_t>(v));
        }
        signal_.assign(space_, -1);
        for (int c = 0; c < m; ++c) {
            record(std::uint32_t{1} << c, 0);
        }
    }

    int count(std::uint32_t v) const { return count_[v]; }
    std::size_t space() const { return space_; }

    // The shallowest pair of the first `limit` signals whose XOR is `v`
    // (count(v) == 2), and the depth of the gate it makes.
    struct Pair {
        int a = -1;
        int b = -1;
        int depth = std::numeric_limits<int>::max();
    };
    Pair shallowest_pair(std::uint32_t v, int limit) const {
        Pair best;
        for (int a = 0; a < limit; ++a) {
            const int b = signal_[v ^ program_.value[static_cast<std::size_t>(a)]];
            if (b <= a || b >= limit) {
                continue; // each pair once, and only signals of the snapshot
            }
            const int d = 1 + std::max(program_.depth[static_cast<std::size_t>(a)],
                                       program_.depth[static_cast<std::size_t>(b)]);
            if (d < best.depth) {
                best = {a, b, d};
            }
        }
        return best;
    }

    int gate_depth(std::uint32_t v) const { return shallowest_pair(v, signal_count()).depth; }

    // Adds the gate that computes `v` from the shallowest pair of the first
    // `limit` signals.
    void add_gate(std::uint32_t v, int limit) {
        const Pair pair = shallowest_pair(v, limit);
        program_.operands.emplace_back(pair.a, pair.b);
        record(v, pair.depth);
        for (std::size_t u = 0; u < space_; ++u) {
            count_[u] = std::min(count_[u], count_[u ^ v] + 1);
        }
    }

    int signal_count() const { return static_cast<int>(program_.value.size()); }
    XorProgram take() { return std::move(program_); }

  private:
    void record(std::uint32_t v, int depth) {
        signal_[v] = static_cast<int>(program_.value.size());
        program_.value.push_back(v);
        program_.depth.push_back(depth);
        count_[v] = 1;
    }

    std::size_t space_;
    XorProgram program_;
    std::vector<int> count_;
    std::vector<int> signal_; // the signal computing each mask, or -1
};

// When no open target is one gate away, the helper term: among the masks one
// gate away, the one that brings the most open targets one gate closer
// (a target gains at most one), then the one that makes the most of them
// reachable at once, then the shallowest, then the smallest mask.
std::uint32_t best_helper(const XorSearch& search, const std::vector<std::uint32_t>& open) {
    std::uint32_t best = 0;
    std::tuple<long, long, int> best_score{-1, -1, 0};
    for (std::uint32_t v = 1; v < search.space(); ++v) {
        if (search.count(v) != 2) {
            continue;
        }
        long gained = 0;
        long ready = 0;
        for (const std::uint32_t t : open) {
            if (search.count(t ^ v) + 1 < search.count(t)) {
                ++gained;
                ready += search.count(t ^ v) == 1 ? 1 : 0;
            }
        }
        if (std::tuple{gained, ready} <
            std::tuple{std::get<0>(best_score), std::get<1>(best_score)}) {
            continue;
        }
        const std::tuple<long, long, int> score{gained, ready, -search.gate_depth(v)};
        if (score > best_score) {
            best_score = score;
            best = v;
        }
    }
    return best;
}

std::string signal_name(const XorProgram& program, int signal) {
    if (signal < program.m) {
        return "mult_in[" + std::to_string(signal) + "]";
    }
    return "x_" + std::to_string(signal - program.m);
}

} // namespace

int XorProgram::max_depth() const {
    return depth.empty() ? 0 : *std::max_element(depth.begin(), depth.end());
}

int XorProgram::signal_of(std::uint32_t mask) const {
    const auto it = std::find(value.begin(), value.end(), mask);
    return it == value.end() ? -1 : static_cast<int>(it - value.begin());
}

XorProgram minimal_xor_program(const std::vector<std::uint32_t>& targets, int m) {
    std::vector<std::uint32_t> open;
    for (const std::uint32_t t : targets) {
        if (std::popcount(t) >= 2) {
            open.push_back(t);
        }
    }
    std::sort(open.begin(), open.end());
    open.erase(std::unique(open.begin(), open.end()), open.end());
    const int lower_bound = static_cast<int>(open.size());

    XorSearch search(m);
    while (!open.empty()) {
        // Every open target one gate away is built now, from the signals of
        // this round only: the rounds are the logic levels, which keeps the
        // network shallow.
        const int snapshot = search.signal_count();
        std::vector<std::uint32_t> ready;
        std::vector<std::uint32_t> later;
        for (const std::uint32_t t : open) {
            (search.count(t) == 2 ? ready : later).push_back(t);
        }
        for (const std::uint32_t t : ready) {
            search.add_gate(t, snapshot);
        }
        const bool built = !ready.empty();
        open = std::move(later);
        if (!built && !open.empty()) {
            search.add_gate(best_helper(search, open), search.signal_count());
        }
    }
    XorProgram program = search.take();
    program.lower_bound = lower_bound;
    return program;
}

std::vector<std::uint32_t> multiplier_bank_rows(const rs::GaloisField& field,
                                                const std::vector<int>& gen_poly_log) {
    const int m = field.m;
    const int r = static_cast<int>(gen_poly_log.size()) - 1;
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(r) * static_cast<std::size_t>(m), 0);
    for (int i = 0; i < r; ++i) {
        const int exponent = gen_poly_log[static_cast<std::size_t>(i)];
        if (exponent < 0) {
            continue; // a zero coefficient: constant-zero outputs
        }
        const std::vector<std::uint32_t> columns = rs::fill_const_columns(field, exponent);
        const std::size_t base = static_cast<std::size_t>(r - 1 - i) * static_cast<std::size_t>(m);
        for (int j = 0; j < m; ++j) {
            for (int c = 0; c < m; ++c) {
                if (((columns[static_cast<std::size_t>(c)] >> j) & 1U) != 0) {
                    rows[base + static_cast<std::size_t>(j)] |= std::uint32_t{1} << c;
                }
            }
        }
    }
    return rows;
}

void write_minimal_multiplier(TextSink& out, const rs::GaloisField& field,
                              const std::vector<int>& gen_poly_log) {
    const std::vector<std::uint32_t> rows = multiplier_bank_rows(field, gen_poly_log);
    const XorProgram program = minimal_xor_program(rows, field.m);
    write_module_head(out);
    out.print("// shared XOR network: %d two-input gates (at least %d needed), depth %d\n",
              program.gate_count(), program.lower_bound, program.max_depth());
    for (int g = 0; g < program.gate_count(); ++g) {
        out.print("wire x_%d ;\n", g);
    }
    out.write("\n");
    for (int g = 0; g < program.gate_count(); ++g) {
        const auto [a, b] = program.operands[static_cast<std::size_t>(g)];
        out.print("assign x_%d = %s ^ %s ;\n", g, signal_name(program, a).c_str(),
                  signal_name(program, b).c_str());
    }
    out.write("\n");
    for (std::size_t bit = 0; bit < rows.size(); ++bit) {
        const int signal = rows[bit] == 0 ? -1 : program.signal_of(rows[bit]);
        out.print("assign mult_out[%zu] = %s ;\n", bit,
                  signal < 0 ? "0" : signal_name(program, signal).c_str());
    }
    write_module_end(out);
}

} // namespace ipgen::rsenc
