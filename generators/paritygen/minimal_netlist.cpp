#include "generators/paritygen/minimal_netlist.hpp"

#include "generators/paritygen/multiplier.hpp"

#include <algorithm>
#include <bit>
#include <limits>
#include <queue>
#include <string>
#include <tuple>
#include <unordered_map>

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

namespace ipgen::rsenc {

namespace {

bool test_bit(const BitRow& row, int bit) {
    return ((row[static_cast<std::size_t>(bit) / 64] >> (static_cast<unsigned>(bit) % 64)) & 1U) !=
           0;
}

void flip_bit(BitRow& row, int bit) {
    row[static_cast<std::size_t>(bit) / 64] ^= std::uint64_t{1}
                                               << (static_cast<unsigned>(bit) % 64);
}

int row_weight(const BitRow& row) {
    int weight = 0;
    for (const std::uint64_t word : row) {
        weight += std::popcount(word);
    }
    return weight;
}

// The greedy search's state: for each signal, the set of open targets it
// occurs in (a column over the targets), and for each target its signals.
class WideSearch {
  public:
    WideSearch(const std::vector<BitRow>& rows, int inputs)
        : words_((rows.size() + 63) / 64), signals_(rows.size()) {
        program_.inputs = inputs;
        program_.depth.assign(static_cast<std::size_t>(inputs), 0);
        columns_.assign(static_cast<std::size_t>(inputs), BitRow(words_, 0));
        for (std::size_t t = 0; t < rows.size(); ++t) {
            for (int i = 0; i < inputs; ++i) {
                if (test_bit(rows[t], i)) {
                    flip_bit(columns_[static_cast<std::size_t>(i)], static_cast<int>(t));
                    signals_[t].push_back(i);
                }
            }
        }
        for (const std::vector<int>& row : signals_) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                for (std::size_t j = i + 1; j < row.size(); ++j) {
                    ++counts_[key(row[i], row[j])];
                }
            }
        }
        for (const auto& [pair, count] : counts_) {
            push(static_cast<int>(pair >> 32U), static_cast<int>(pair & 0xffffffffU), count);
        }
    }

    // A gate for the pair (a, b), in place of both in every target holding
    // both.
    void substitute(int a, int b) {
        if (a > b) {
            std::swap(a, b);
        }
        const int gate = add_gate(a, b);
        BitRow both(words_);
        for (std::size_t w = 0; w < words_; ++w) {
            both[w] =
                columns_[static_cast<std::size_t>(a)][w] & columns_[static_cast<std::size_t>(b)][w];
        }
        columns_.push_back(both);
        for (std::size_t w = 0; w < words_; ++w) {
            columns_[static_cast<std::size_t>(a)][w] &= ~both[w];
            columns_[static_cast<std::size_t>(b)][w] &= ~both[w];
        }
        for (std::size_t t = 0; t < signals_.size(); ++t) {
            if (test_bit(both, static_cast<int>(t))) {
                std::vector<int>& row = signals_[t];
                std::erase_if(row, [&](int s) { return s == a || s == b; });
                change(a, b, -1);
                for (const int x : row) {
                    change(a, x, -1);
                    change(b, x, -1);
                    change(gate, x, 1);
                }
                row.push_back(gate);
            }
        }
    }

    // Gates for the pairs shared by two or more targets, the most shared
    // first. The count of every pair is kept up to date as gates replace
    // pairs; the queue holds (count, -depth, -a, -b) entries, an entry
    // whose count is no longer the pair's is skipped.
    void share_pairs() {
        while (!queue_.empty()) {
            const auto [count, depth, a, b] = queue_.top();
            queue_.pop();
            const int now = counts_[key(-a, -b)];
            if (now != count) {
                push(-a, -b, now); // fewer since: queued again with its count
                continue;
            }
            substitute(-a, -b);
        }
    }

    // Each target's remaining signals summed as a balanced tree.
    WideXorProgram finish() {
        program_.output.assign(signals_.size(), -1);
        for (std::size_t t = 0; t < signals_.size(); ++t) {
            std::vector<int> row = signals_[t];
            while (row.size() >= 2) {
                std::stable_sort(row.begin(), row.end(),
                                 [&](int a, int b) { return depth_of(a) < depth_of(b); });
                const int gate = add_gate(row[0], row[1]);
                row.erase(row.begin(), row.begin() + 2);
                row.push_back(gate);
            }
            program_.output[t] = row.empty() ? -1 : row.front();
        }
        return std::move(program_);
    }

  private:
    int depth_of(int signal) const { return program_.depth[static_cast<std::size_t>(signal)]; }

    static std::uint64_t key(int a, int b) {
        return (static_cast<std::uint64_t>(std::min(a, b)) << 32U) |
               static_cast<std::uint32_t>(std::max(a, b));
    }

    void push(int a, int b, int count) {
        if (count >= 2) {
            queue_.emplace(count, -std::max(depth_of(a), depth_of(b)), -std::min(a, b),
                           -std::max(a, b));
        }
    }

    // The pair (a, b) occurs in `delta` more targets. Only a pair that
    // gains is queued now; one that loses is queued again when its old
    // entry comes up.
    void change(int a, int b, int delta) {
        int& count = counts_[key(a, b)];
        count += delta;
        if (delta > 0) {
            push(a, b, count);
        }
    }

    int add_gate(int a, int b) {
        program_.operands.emplace_back(a, b);
        program_.depth.push_back(1 + std::max(depth_of(a), depth_of(b)));
        return static_cast<int>(program_.depth.size()) - 1;
    }

    std::size_t words_;
    WideXorProgram program_;
    std::vector<BitRow> columns_;
    std::vector<std::vector<int>> signals_;
    std::unordered_map<std::uint64_t, int> counts_;
    std::priority_queue<std::tuple<int, int, int, int>> queue_;
};

std::string wide_signal_name(const WideXorProgram& program, int signal, int rem_bits) {
    if (signal >= program.inputs) {
        return "s_" + std::to_string(signal - program.inputs);
    }
    return signal < rem_bits ? "rem_in[" + std::to_string(signal) + "]"
                             : "sym_in[" + std::to_string(signal - rem_bits) + "]";
}

} // namespace

int WideXorProgram::max_depth() const {
    return depth.empty() ? 0 : *std::max_element(depth.begin(), depth.end());
}

WideXorProgram wide_xor_program(const std::vector<BitRow>& targets, int inputs,
                                const std::vector<std::pair<int, int>>& first_pairs) {
    // Equal targets share one signal: the search sees each once.
    std::vector<BitRow> distinct;
    std::vector<std::size_t> index_of;
    for (const BitRow& t : targets) {
        const auto it = std::find(distinct.begin(), distinct.end(), t);
        index_of.push_back(static_cast<std::size_t>(it - distinct.begin()));
        if (it == distinct.end()) {
            distinct.push_back(t);
        }
    }
    WideSearch search(distinct, inputs);
    for (const auto& [a, b] : first_pairs) {
        search.substitute(a, b);
    }
    search.share_pairs();
    WideXorProgram program = search.finish();
    std::vector<int> output;
    for (const std::size_t i : index_of) {
        output.push_back(program.output[i]);
    }
    program.output = std::move(output);
    program.lower_bound = static_cast<int>(std::count_if(
        distinct.begin(), distinct.end(), [](const BitRow& t) { return row_weight(t) >= 2; }));
    return program;
}

std::vector<BitRow> remainder_step_rows(const rs::GaloisField& field,
                                        const std::vector<int>& gen_poly_log, int symbols) {
    const int m = field.m;
    const int r = static_cast<int>(gen_poly_log.size()) - 1;
    const int rem_bits = r * m;
    const int inputs = rem_bits + symbols * m;
    const std::size_t words = static_cast<std::size_t>(inputs + 63) / 64;
    const std::vector<std::uint32_t> bank = multiplier_bank_rows(field, gen_poly_log);
    std::vector<BitRow> rem(static_cast<std::size_t>(rem_bits), BitRow(words, 0));
    for (int b = 0; b < rem_bits; ++b) {
        flip_bit(rem[static_cast<std::size_t>(b)], b);
    }
    const auto xor_into = [&](BitRow& to, const BitRow& from) {
        for (std::size_t w = 0; w < words; ++w) {
            to[w] ^= from[w];
        }
    };
    for (int i = 0; i < symbols; ++i) {
        // fb = symbol i ^ slice 0
        std::vector<BitRow> feedback(static_cast<std::size_t>(m), BitRow(words, 0));
        for (int c = 0; c < m; ++c) {
            feedback[static_cast<std::size_t>(c)] = rem[static_cast<std::size_t>(c)];
            flip_bit(feedback[static_cast<std::size_t>(c)], rem_bits + i * m + c);
        }
        // rem <= (rem >> m) ^ products of fb
        std::vector<BitRow> next(static_cast<std::size_t>(rem_bits), BitRow(words, 0));
        for (int b = 0; b < rem_bits; ++b) {
            if (b + m < rem_bits) {
                next[static_cast<std::size_t>(b)] = rem[static_cast<std::size_t>(b + m)];
            }
            for (int c = 0; c < m; ++c) {
                if (((bank[static_cast<std::size_t>(b)] >> c) & 1U) != 0) {
                    xor_into(next[static_cast<std::size_t>(b)],
                             feedback[static_cast<std::size_t>(c)]);
                }
            }
        }
        rem = std::move(next);
    }
    return rem;
}

void write_remainder_step(TextSink& out, const rs::GaloisField& field,
                          const std::vector<int>& gen_poly_log, int symbols) {
    const int m = field.m;
    const int r = static_cast<int>(gen_poly_log.size()) - 1;
    const int rem_bits = r * m;
    const std::vector<BitRow> rows = remainder_step_rows(field, gen_poly_log, symbols);
    // The feedback terms first: symbol i ^ slice i of the old remainder
    // (i < r) is in every row that symbol i reaches.
    std::vector<std::pair<int, int>> feedback;
    for (int i = 0; i < std::min(symbols, r); ++i) {
        for (int c = 0; c < m; ++c) {
            feedback.emplace_back(i * m + c, rem_bits + i * m + c);
        }
    }
    const WideXorProgram program = wide_xor_program(rows, rem_bits + symbols * m, feedback);
    // One chained update: the bank's minimal network, m feedback gates and a
    // gate for every remainder bit that takes a shifted bit and a product.
    const std::vector<std::uint32_t> bank = multiplier_bank_rows(field, gen_poly_log);
    int shift_gates = 0;
    for (int b = 0; b + m < rem_bits; ++b) {
        shift_gates += bank[static_cast<std::size_t>(b)] != 0 ? 1 : 0;
    }
    const int chained_step = minimal_xor_program(bank, m).gate_count() + m + shift_gates;
    out.print(
        "`timescale 1ns/1ns\n"
        "`default_nettype none\n"
        "\n"
        "// The encoder's remainder after %d symbols: rem_out = rem_in * x^%d + the symbols'\n"
        "// polynomial * x^%d, modulo the generator polynomial; symbol 0 (sym_in[%d:0])\n"
        "// enters first. Slice j of a remainder (bits j*%d ..) is the coefficient of\n"
        "// x^(%d-j). Combinational.\n",
        symbols, symbols, r, m - 1, m, r - 1);
    out.print("// XOR network: %d two-input gates (at least %d needed), depth %d; %d chained\n"
              "// one-symbol updates take %d gates.\n",
              program.gate_count(), program.lower_bound, program.max_depth(), symbols,
              symbols * chained_step);
    out.print("module rs_enc_step (\n"
              "    input  wire [%d:0] rem_in,\n"
              "    input  wire [%d:0] sym_in,\n"
              "    output wire [%d:0] rem_out\n"
              ");\n"
              "\n",
              rem_bits - 1, symbols * m - 1, rem_bits - 1);
    for (int g = 0; g < program.gate_count(); ++g) {
        out.print("wire s_%d;\n", g);
    }
    out.write("\n");
    for (int g = 0; g < program.gate_count(); ++g) {
        const auto [a, b] = program.operands[static_cast<std::size_t>(g)];
        out.print("assign s_%d = %s ^ %s;\n", g, wide_signal_name(program, a, rem_bits).c_str(),
                  wide_signal_name(program, b, rem_bits).c_str());
    }
    out.write("\n");
    for (std::size_t bit = 0; bit < rows.size(); ++bit) {
        const int signal = program.output[bit];
        out.print("assign rem_out[%zu] = %s;\n", bit,
                  signal < 0 ? "1'b0" : wide_signal_name(program, signal, rem_bits).c_str());
    }
    out.write("\n"
              "endmodule\n"
              "\n"
              "`default_nettype wire\n");
}

} // namespace ipgen::rsenc
