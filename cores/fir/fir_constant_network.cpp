#include "cores/fir/fir_constant_network.hpp"

#include <algorithm>
#include <bit>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace ipgen::fir {

namespace {

__extension__ using Wide = __int128;

std::uint64_t odd_part(std::uint64_t v) {
    return v == 0 ? 0 : v >> std::countr_zero(v);
}

std::uint64_t magnitude(std::int64_t c) {
    return c < 0 ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
}

// One way of making `t` from `r` and `s` with one adder: the operands as
// values, the node fields otherwise.
struct Step {
    std::uint64_t p, q; // (p << p_shift) +/- (q << q_shift)
    int p_shift, q_shift;
    bool subtract;
    int down;
};

// Every odd s (up to `limit`) such that t is one adder away from r and s,
// with the step; `limit` bounds the values of the network (twice the
// largest constant, as usual for such networks) and `shifts` the shifts.
template <typename Visit>
void partners(std::uint64_t t, std::uint64_t r, std::uint64_t limit, int shifts, Visit&& visit) {
    const auto fits = [&](std::uint64_t s) { return s > 0 && s <= limit && (s & 1) != 0; };
    for (int i = 1; i <= shifts && i < 62; ++i) {
        // (r << i and t << i only where they fit 63 bits; no value of the
        // network comes near)
        const bool r_fits = std::bit_width(r) + i <= 62;
        const bool t_fits = std::bit_width(t) + i <= 62;
        const std::uint64_t ri = r_fits ? r << i : 0;
        const std::uint64_t ti = t_fits ? t << i : 0;
        // t = (r << i) + s, t = (r << i) - s, t = s - (r << i)
        if (r_fits && t > ri && fits(t - ri)) {
            visit(t - ri, Step{r, t - ri, i, 0, false, 0});
        }
        if (r_fits && ri > t && fits(ri - t)) {
            visit(ri - t, Step{r, ri - t, i, 0, true, 0});
        }
        if (r_fits && fits(t + ri)) {
            visit(t + ri, Step{t + ri, r, 0, i, true, 0});
        }
        // t = (s << i) + r, t = (s << i) - r, t = r - (s << i)
        const std::uint64_t mask = (std::uint64_t{1} << i) - 1;
        if (t > r && ((t - r) & mask) == 0 && fits((t - r) >> i)) {
            visit((t - r) >> i, Step{(t - r) >> i, r, i, 0, false, 0});
        }
        if (((t + r) & mask) == 0 && fits((t + r) >> i)) {
            visit((t + r) >> i, Step{(t + r) >> i, r, i, 0, true, 0});
        }
        if (r > t && ((r - t) & mask) == 0 && fits((r - t) >> i)) {
            visit((r - t) >> i, Step{r, (r - t) >> i, 0, i, true, 0});
        }
        // t << i = r + s, r - s, s - r
        if (t_fits && ti > r && fits(ti - r)) {
            visit(ti - r, Step{r, ti - r, 0, 0, false, i});
        }
        if (t_fits && r > ti && fits(r - ti)) {
            visit(r - ti, Step{r, r - ti, 0, 0, true, i});
        }
        if (t_fits && fits(ti + r)) {
            visit(ti + r, Step{ti + r, r, 0, 0, true, i});
        }
    }
}

// s such that t = s * (2^i + 1) or s * (2^i - 1): both operands s.
template <typename Visit>
void self_partners(std::uint64_t t, int shifts, Visit&& visit) {
    for (int i = 1; i <= shifts && i < 63; ++i) {
        const std::uint64_t plus = (std::uint64_t{1} << i) + 1;
        const std::uint64_t minus = (std::uint64_t{1} << i) - 1;
        if (t % plus == 0 && t / plus > 1) {
            visit(t / plus, Step{t / plus, t / plus, i, 0, false, 0});
        }
        if (i >= 2 && t % minus == 0 && t / minus > 1) {
            visit(t / minus, Step{t / minus, t / minus, i, 0, true, 0});
        }
    }
}

class Builder {
  public:
    Builder(std::uint64_t limit, int shifts, int cap) : limit_(limit), shifts_(shifts), cap_(cap) {
        network_.nodes.push_back(NetworkNode{});
        index_[1] = 0;
        grow(1);
    }

    bool has(std::uint64_t v) const { return index_.contains(v); }
    // v is one adder away from the nodes, at most `depth` adders deep
    bool reachable(std::uint64_t v, int depth) const {
        const auto at = reach_.find(v);
        return at != reach_.end() && at->second <= depth;
    }
    bool reachable(std::uint64_t v) const { return reachable(v, cap_); }

    // Adds v (one adder from the nodes there are), the shallowest way.
    void add(std::uint64_t v) {
        NetworkNode best;
        bool found = false;
        const auto consider = [&](std::uint64_t, const Step& step) {
            const auto p = index_.find(step.p);
            const auto q = index_.find(step.q);
            if (p == index_.end() || q == index_.end()) {
                return;
            }
            NetworkNode n{
                v,
                p->second,
                q->second,
                step.p_shift,
                step.q_shift,
                step.subtract,
                step.down,
                1 + std::max(network_.nodes[p->second].depth, network_.nodes[q->second].depth)};
            const int shift = std::max(n.a_shift, n.b_shift) + n.down;
            if (!found || n.depth < best.depth ||
                (n.depth == best.depth &&
                 shift < std::max(best.a_shift, best.b_shift) + best.down)) {
                best = n;
                found = true;
            }
        };
        for (const NetworkNode& r : network_.nodes) {
            partners(v, r.value, limit_, shifts_, consider);
        }
        self_partners(v, shifts_, consider);
        if (!found) {
            throw std::logic_error("constant network: " + std::to_string(v) +
                                   " is no adder away from the nodes");
        }
        index_[v] = static_cast<int>(network_.nodes.size());
        network_.nodes.push_back(best);
        grow(v);
    }

    // The intermediate value that brings the most targets within one adder
    // (ties: the smaller value); 0 when none brings any.
    std::uint64_t best_intermediate(const std::set<std::uint64_t>& targets) const {
        std::unordered_map<std::uint64_t, int> benefit;
        std::vector<std::uint64_t> helps;
        for (const std::uint64_t t : targets) {
            helps.clear();
            const auto note = [&](std::uint64_t s, const Step&) {
                if (reachable(s, cap_ - 1) && !has(s)) {
                    helps.push_back(s);
                }
            };
            for (const NetworkNode& r : network_.nodes) {
                partners(t, r.value, limit_, shifts_, note);
            }
            self_partners(t, shifts_, note);
            std::sort(helps.begin(), helps.end());
            helps.erase(std::unique(helps.begin(), helps.end()), helps.end());
            for (const std::uint64_t s : helps) {
                ++benefit[s];
            }
        }
        // the most targets; ties: the smaller value (the order of the map
        // plays no part)
        std::uint64_t best = 0;
        int most = 0;
        for (const auto& [s, n] : benefit) {
            if (n > most || (n == most && most > 0 && s < best)) {
                best = s;
                most = n;
            }
        }
        return best;
    }

    ConstantNetwork take() { return std::move(network_); }

  private:
    // The values one adder away from the nodes, now that v is one of them.
    void grow(std::uint64_t v) {
        const int dv = network_.nodes[index_.at(v)].depth;
        int depth = 0;
        const auto note = [&](std::uint64_t s, const Step&) {
            const auto at = reach_.find(s);
            if (at == reach_.end() || at->second > depth) {
                reach_[s] = depth;
            }
        };
        for (const NetworkNode& r : network_.nodes) {
            // s one adder from v and r: the partners of v with r give them
            // (the relation is symmetric)
            depth = 1 + std::max(dv, r.depth);
            partners(v, r.value, limit_, shifts_, note);
        }
        depth = 1 + dv;
        for (int i = 1; i <= shifts_ && std::bit_width(v) + i < 63; ++i) {
            for (const std::uint64_t w : {(v << i) + v, (v << i) - v}) {
                if (w <= limit_) {
                    note(w, Step{});
                }
            }
        }
    }

    std::uint64_t limit_;
    int shifts_;
    int cap_; // most adders in series
    ConstantNetwork network_;
    std::map<std::uint64_t, int> index_;
    std::unordered_map<std::uint64_t, int> reach_; // value, least depth
};

// Drops nodes no target needs (an intermediate a later choice made useless).
ConstantNetwork pruned(const ConstantNetwork& in, const std::set<std::uint64_t>& targets) {
    std::vector<bool> used(in.nodes.size(), false);
    used[0] = true;
    for (int n = static_cast<int>(in.nodes.size()) - 1; n > 0; --n) {
        if (targets.contains(in.nodes[n].value)) {
            used[n] = true;
        }
        if (used[n]) {
            used[in.nodes[n].a] = true;
            used[in.nodes[n].b] = true;
        }
    }
    ConstantNetwork out = in;
    out.nodes.clear();
    std::vector<int> renumber(in.nodes.size(), -1);
    for (size_t n = 0; n < in.nodes.size(); ++n) {
        if (used[n]) {
            renumber[n] = static_cast<int>(out.nodes.size());
            NetworkNode node = in.nodes[n];
            node.a = renumber[node.a];
            node.b = renumber[node.b];
            out.nodes.push_back(node);
        }
    }
    return out;
}

} // namespace

int signed_digits(std::uint64_t v) {
    int digits = 0;
    while (v != 0) {
        if ((v & 1) != 0) {
            ++digits;
            // ...11 becomes a -1 digit and a carry, ...01 a +1 digit
            v = (v & 2) != 0 ? v + 1 : v - 1;
        }
        v >>= 1;
    }
    return digits;
}

int ConstantNetwork::depth() const {
    int d = 0;
    for (const NetworkNode& n : nodes) {
        d = std::max(d, n.depth);
    }
    return d;
}

int ConstantNetwork::node_of(std::uint64_t value) const {
    for (size_t n = 0; n < nodes.size(); ++n) {
        if (nodes[n].value == value) {
            return static_cast<int>(n);
        }
    }
    return -1;
}

namespace {

// The network with at most `cap` adders in series; none when the greedy
// search needs deeper ones.
std::optional<ConstantNetwork> build_capped(const std::set<std::uint64_t>& targets, int cap) {
    std::uint64_t largest = 1;
    for (const std::uint64_t t : targets) {
        largest = std::max(largest, t);
    }
    const int bits = std::bit_width(largest);
    Builder builder(std::uint64_t{1} << (bits + 1), bits + 2, cap);
    std::set<std::uint64_t> remaining = targets;
    while (!remaining.empty()) {
        // every target one adder away is added as it is (it costs its one
        // adder, the least it can); then an intermediate value
        bool added = true;
        while (added) {
            added = false;
            for (auto t = remaining.begin(); t != remaining.end();) {
                if (builder.reachable(*t)) {
                    builder.add(*t);
                    t = remaining.erase(t);
                    added = true;
                } else {
                    ++t;
                }
            }
        }
        if (remaining.empty()) {
            break;
        }
        std::uint64_t s = builder.best_intermediate(remaining);
        if (s == 0) {
            // every target two adders away or more: the first partial sum of
            // the signed digits of the cheapest target that is no node yet
            // (one adder from the partial sum before it)
            std::uint64_t t = *remaining.begin();
            for (const std::uint64_t u : remaining) {
                if (signed_digits(u) < signed_digits(t)) {
                    t = u;
                }
            }
            std::vector<std::pair<int, int>> digits; // (position, sign), lowest first
            for (std::uint64_t v = t, pos = 0; v != 0; v >>= 1, ++pos) {
                if ((v & 1) != 0) {
                    const int sign = (v & 2) != 0 ? -1 : 1;
                    digits.emplace_back(static_cast<int>(pos), sign);
                    v = sign < 0 ? v + 1 : v - 1;
                }
            }
            Wide partial = 0;
            for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
                partial += Wide{d->second} << d->first;
                const std::uint64_t odd =
                    odd_part(static_cast<std::uint64_t>(partial < 0 ? -partial : partial));
                if (!builder.has(odd)) {
                    s = odd;
                    break;
                }
            }
            if (!builder.reachable(s)) {
                return std::nullopt;
            }
        }
        builder.add(s);
        remaining.erase(s);
    }
    return pruned(builder.take(), targets);
}

} // namespace

ConstantNetwork build_network(const std::vector<std::int64_t>& constants) {
    std::set<std::uint64_t> targets;
    int most_digits = 1;
    for (const std::int64_t c : constants) {
        const std::uint64_t odd = odd_part(magnitude(c));
        if (odd > 1) {
            targets.insert(odd);
            most_digits = std::max(most_digits, signed_digits(odd));
        }
    }
    // Over bounds on the depth, the fewest adders plus half a adder per
    // level: a level is a stage of registers on every value that crosses it
    // (ties: the shallower).
    ConstantNetwork network;
    bool found = false;
    const auto cost = [](const ConstantNetwork& n) { return 2 * n.adders() + n.depth(); };
    const int least = std::bit_width(static_cast<unsigned>(most_digits - 1));
    for (int cap = std::max(least, 1); cap <= least + 12; ++cap) {
        std::optional<ConstantNetwork> n = build_capped(targets, cap);
        if (n && (!found || cost(*n) < cost(network))) {
            network = *n;
            found = true;
        }
        if (n && n->depth() < cap) {
            break; // the bound no longer binds
        }
    }
    network.bound = static_cast<int>(targets.size());
    network.depth_bound = std::bit_width(static_cast<unsigned>(most_digits - 1));
    return network;
}

namespace {

struct Range {
    Wide lo = 0;
    Wide hi = 0;
};

Range sample_range(const ConstantFilter& f) {
    return f.data_signed ? Range{-(Wide{1} << (f.width - 1)), (Wide{1} << (f.width - 1)) - 1}
                         : Range{0, (Wide{1} << f.width) - 1};
}

Range times(const Range& x, Wide c) {
    return c >= 0 ? Range{x.lo * c, x.hi * c} : Range{x.hi * c, x.lo * c};
}

// Bits of two's complement that hold every value of r.
int bits_of(const Range& r) {
    int b = 1;
    while (r.lo < -(Wide{1} << (b - 1)) || r.hi > (Wide{1} << (b - 1)) - 1) {
        ++b;
    }
    return b;
}

std::string num(int v) {
    return std::to_string(v);
}

// name (w bits, two's complement) times 2^shift, as `target` bits (the low
// bits of the exact value: the sums below are exact modulo 2^target, and
// their results fit).
std::string operand(const std::string& name, int w, int shift, int target) {
    const int high = target - shift;
    std::string v;
    if (high <= 0) {
        return num(target) + "'d0";
    }
    if (w > high) {
        v = name + "[" + num(high - 1) + ":0]";
    } else if (w == high) {
        v = name;
    } else {
        v = "{{" + num(high - w) + "{" + name + "[" + num(w - 1) + "]}}, " + name + "}";
    }
    return shift > 0 ? "{" + v + ", " + num(shift) + "'d0}" : v;
}

struct Term {
    int node = -1; // -1: a zero tap
    int shift = 0;
    bool negative = false;
};

Term term_of(const ConstantNetwork& network, std::int64_t c) {
    if (c == 0) {
        return {};
    }
    const std::uint64_t m =
        c < 0 ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
    const int shift = std::countr_zero(m);
    return {network.node_of(m >> shift), shift, c < 0};
}

std::string signal(int node, int stage) {
    return "n" + num(node) + "_" + num(stage);
}

// The complement of a node's register, for the subtractions that take it:
// an iCE40 carry chain cannot invert an operand itself, so a register of
// the inverted value saves a LUT (and its route) in front of the adder.
std::string complement(int node, int stage) {
    return "nc" + num(node) + "_" + num(stage);
}

// -(name * 2^shift) - 1, as `target` bits, from name = ~value (w bits): the
// complement of the shifted value, ones below the shift; adding 1 gives
// the negated product.
std::string complement_operand(const std::string& name, int w, int shift, int target) {
    if (target - shift <= 0) {
        return "{" + num(target) + "{1'b1}}";
    }
    const std::string v = operand(name, w, 0, target - shift);
    return shift > 0 ? "{" + v + ", {" + num(shift) + "{1'b1}}}" : v;
}

std::string header_line(const ConstantFilter& f, const ConstantNetwork& network) {
    return "// Shared products: " + num(network.adders()) + " adders, depth " +
           num(network.depth()) + "; lower bound " + num(network.bound) +
           " adders (distinct odd fundamentals other than 1), depth " + num(network.depth_bound) +
           " (most signed digits of one constant). Chain: " + num(chain_adders(f)) +
           " adders. Latency " + num(constant_filter_latency(network)) + " clocks.\n";
}

} // namespace

int constant_filter_latency(const ConstantNetwork& network) {
    return network.depth() + 1;
}

int chain_adders(const ConstantFilter& filter) {
    int n = 0;
    for (const std::int64_t c : filter.taps) {
        n += c != 0 ? 1 : 0;
    }
    return std::max(n - 1, 0);
}

std::string constant_filter_verilog(const ConstantFilter& f, const ConstantNetwork& network,
                                    const std::string& define_line) {
    const int nodes = static_cast<int>(network.nodes.size());
    const int depth = network.depth();
    const Range x = sample_range(f);
    const int xw = bits_of(x);
    std::vector<Term> terms;
    std::vector<bool> target(nodes, false);
    for (const std::int64_t c : f.taps) {
        terms.push_back(term_of(network, c));
        if (terms.back().node >= 0) {
            target[terms.back().node] = true;
        }
    }
    // Stages: the sample at 0, each node registered as late as its users
    // allow (the narrow sample is delayed rather than the wide products),
    // every product the chain takes at stage `depth`.
    std::vector<int> stage(nodes, depth), needed(nodes, 0);
    stage[0] = 0;
    for (int n = nodes - 1; n > 0; --n) {
        if (target[n]) {
            needed[n] = depth;
        }
        for (int c = n + 1; c < nodes; ++c) {
            if (network.nodes[c].a == n || network.nodes[c].b == n) {
                stage[n] = std::min(stage[n], stage[c] - 1);
                needed[n] = std::max(needed[n], stage[c] - 1);
            }
        }
    }
    for (int c = 1; c < nodes; ++c) {
        if (network.nodes[c].a == 0 || network.nodes[c].b == 0) {
            needed[0] = std::max(needed[0], stage[c] - 1);
        }
    }
    if (target[0]) {
        needed[0] = depth;
    }
    std::vector<int> width(nodes);
    for (int n = 0; n < nodes; ++n) {
        width[n] = bits_of(times(x, static_cast<Wide>(network.nodes[n].value)));
    }
    // Which registers are taken as they are and which inverted: the
    // subtrahends of the network's adders and the negative taps' products
    // (registered ones: the sample itself, stage 0, is not).
    std::vector<std::vector<char>> plain(nodes, std::vector<char>(depth + 1, 0));
    std::vector<std::vector<char>> inverted = plain;
    for (int n = 0; n < nodes; ++n) {
        for (int d = stage[n]; d < needed[n]; ++d) {
            plain[n][d] = 1; // the next stage's register takes it
        }
    }
    for (int c = 1; c < nodes; ++c) {
        const NetworkNode& node = network.nodes[c];
        plain[node.a][stage[c] - 1] = 1;
        (node.subtract && stage[c] > 1 ? inverted : plain)[node.b][stage[c] - 1] = 1;
    }
    for (const Term& t : terms) {
        if (t.node >= 0) {
            (t.negative && depth > 0 ? inverted : plain)[t.node][depth] = 1;
        }
    }

    std::string v = "// " + f.module +
                    ": the sample times every tap through one shared network of adders and "
                    "shifts, summed in a transposed chain (written by ipgen).\n" +
                    header_line(f, network);
    v += "`timescale 1ns/1ns\n`default_nettype none\n";
    if (!define_line.empty()) {
        v += define_line + "\n";
    }
    v += "module " + f.module +
         " (\n"
         "    input  wire                 clk,\n"
         "    input  wire                 rst_n,      // synchronous, active low\n"
         "    input  wire [" +
         num(f.width - 1) + ":0]" + std::string(f.width > 10 ? 9 : 10, ' ') +
         "in_data,\n"
         "    input  wire                 in_valid,\n"
         "    output wire [" +
         num(f.out_width - 1) + ":0]" + std::string(f.out_width > 10 ? 9 : 10, ' ') +
         "out_sum,\n"
         "    output wire                 out_valid\n"
         ");\n";
    // valid along the stages
    v += "    reg [" + num(depth + 1) +
         ":1] valid;\n"
         "    always @(posedge clk)\n"
         "        if (!rst_n) valid <= " +
         num(depth + 1) + "'d0;\n";
    v += depth == 0 ? "        else valid <= in_valid;\n"
                    : "        else valid <= {valid[" + num(depth) + ":1], in_valid};\n";
    const std::string enable = depth == 0 ? "in_valid" : "valid[" + num(depth) + "]";
    v += "    wire [" + num(xw - 1) + ":0] " + signal(0, 0) + " = " +
         (xw > f.width ? std::string("{1'b0, in_data}") : std::string("in_data")) + ";\n";
    for (int n = 0; n < nodes; ++n) {
        if (n > 0) {
            const NetworkNode& node = network.nodes[n];
            const int sw =
                bits_of(times(x, static_cast<Wide>(node.value) << node.down)); // before the shift
            const int s = stage[n];
            v += "    // " + std::to_string(node.value) + " = ((" +
                 std::to_string(network.nodes[node.a].value) + " << " + num(node.a_shift) + ") " +
                 (node.subtract ? "-" : "+") + " (" + std::to_string(network.nodes[node.b].value) +
                 " << " + num(node.b_shift) + "))" +
                 (node.down > 0 ? " >> " + num(node.down) : "") + "\n";
            const std::string a = operand(signal(node.a, s - 1), width[node.a], node.a_shift, sw);
            std::string sum;
            if (!node.subtract) {
                sum = a + " + " + operand(signal(node.b, s - 1), width[node.b], node.b_shift, sw);
            } else if (s > 1) {
                sum =
                    a + " + " +
                    complement_operand(complement(node.b, s - 1), width[node.b], node.b_shift, sw) +
                    " + " + num(sw) + "'d1";
            } else {
                sum = a + " - " + operand(signal(node.b, s - 1), width[node.b], node.b_shift, sw);
            }
            v += "    wire [" + num(sw - 1) + ":0] sum" + num(n) + " = " + sum + ";\n";
            const std::string bits =
                "sum" + num(n) + "[" + num(sw - 1) + ":" + num(node.down) + "]";
            if (plain[n][s]) {
                v += "    reg [" + num(width[n] - 1) + ":0] " + signal(n, s) + ";\n";
                v += "    always @(posedge clk) " + signal(n, s) + " <= " + bits + ";\n";
            }
            if (inverted[n][s]) {
                v += "    reg [" + num(width[n] - 1) + ":0] " + complement(n, s) + ";\n";
                v += "    always @(posedge clk) " + complement(n, s) + " <= ~" + bits + ";\n";
            }
        }
        for (int d = stage[n] + 1; d <= needed[n]; ++d) {
            if (plain[n][d]) {
                v += "    reg [" + num(width[n] - 1) + ":0] " + signal(n, d) + ";\n";
                v +=
                    "    always @(posedge clk) " + signal(n, d) + " <= " + signal(n, d - 1) + ";\n";
            }
            if (inverted[n][d]) {
                v += "    reg [" + num(width[n] - 1) + ":0] " + complement(n, d) + ";\n";
                v += "    always @(posedge clk) " + complement(n, d) + " <= ~" + signal(n, d - 1) +
                     ";\n";
            }
        }
    }
    // the chain, from the last tap to the first: z_k = z_(k+1) + h[k] x
    const int taps = static_cast<int>(f.taps.size());
    Range partial;
    int previous = 0; // width of z_(k+1), 0 for none
    for (int k = taps - 1; k >= 0; --k) {
        const Term& t = terms[k];
        const Range r = times(x, f.taps[k]);
        partial = {partial.lo + r.lo, partial.hi + r.hi};
        const int zw = bits_of(partial);
        const std::string z = "z" + num(k);
        v += "    reg [" + num(zw - 1) + ":0] " + z + ";   // h[" + num(k) +
             "] = " + std::to_string(f.taps[k]) + "\n";
        std::string sum = previous > 0 ? operand("z" + num(k + 1), previous, 0, zw) : "";
        if (t.node >= 0 && t.negative && depth > 0) {
            // the complement of the product, plus one
            const std::string p =
                complement_operand(complement(t.node, depth), width[t.node], t.shift, zw) + " + " +
                num(zw) + "'d1";
            sum = sum.empty() ? p : sum + " + " + p;
        } else if (t.node >= 0) {
            const std::string p = operand(signal(t.node, depth), width[t.node], t.shift, zw);
            sum = sum.empty() ? (t.negative ? "-" + p : p) : sum + (t.negative ? " - " : " + ") + p;
        }
        if (sum.empty()) {
            sum = num(zw) + "'d0";
        }
        v += "    always @(posedge clk)\n"
             "        if (!rst_n) " +
             z + " <= " + num(zw) +
             "'d0;\n"
             "        else if (" +
             enable + ") " + z + " <= " + sum + ";\n";
        previous = zw;
    }
    v += "    assign out_sum = " + operand("z0", previous, 0, f.out_width) + ";\n";
    v += "    assign out_valid = valid[" + num(depth + 1) + "];\n";
    v += "endmodule\n`default_nettype wire\n";
    return v;
}

std::string constant_products_verilog(const ConstantFilter& f, const ConstantNetwork& network,
                                      int product_width) {
    const int nodes = static_cast<int>(network.nodes.size());
    const Range x = sample_range(f);
    const int xw = bits_of(x);
    std::vector<int> width(nodes);
    for (int n = 0; n < nodes; ++n) {
        width[n] = bits_of(times(x, static_cast<Wide>(network.nodes[n].value)));
    }
    const int taps = static_cast<int>(f.taps.size());
    std::string v =
        "module " + f.module + " (\n    input  wire [" + num(f.width - 1) + ":0] in_data";
    for (int k = 0; k < taps; ++k) {
        v += ",\n    output wire [" + num(product_width - 1) + ":0] prod" + num(k);
    }
    v += "\n);\n";
    v += "    wire [" + num(xw - 1) + ":0] " + signal(0, 0) + " = " +
         (xw > f.width ? std::string("{1'b0, in_data}") : std::string("in_data")) + ";\n";
    for (int n = 1; n < nodes; ++n) {
        const NetworkNode& node = network.nodes[n];
        const int sw = bits_of(times(x, static_cast<Wide>(node.value) << node.down));
        v += "    wire [" + num(sw - 1) + ":0] sum" + num(n) + " = " +
             operand(signal(node.a, 0), width[node.a], node.a_shift, sw) +
             (node.subtract ? " - " : " + ") +
             operand(signal(node.b, 0), width[node.b], node.b_shift, sw) + ";\n";
        v += "    wire [" + num(width[n] - 1) + ":0] " + signal(n, 0) + " = sum" + num(n) + "[" +
             num(sw - 1) + ":" + num(node.down) + "];\n";
    }
    for (int k = 0; k < taps; ++k) {
        const Term t = term_of(network, f.taps[k]);
        if (t.node < 0) {
            v += "    assign prod" + num(k) + " = " + num(product_width) + "'d0;\n";
        } else {
            const std::string p = operand(signal(t.node, 0), width[t.node], t.shift, product_width);
            v += "    assign prod" + num(k) + " = " + (t.negative ? "-" : "") + p + ";\n";
        }
    }
    v += "endmodule\n";
    return v;
}

} // namespace ipgen::fir
