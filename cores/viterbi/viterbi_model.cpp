#include "cores/viterbi/viterbi_model.hpp"

#include <algorithm>
#include <bit>
#include <cmath>

namespace ipgen::viterbi {

namespace {

// Code word of shift register `reg` (bit K-1 the newest input): bit i is
// the parity of reg masked with polynomial i.
int code_word(const CoreConfig& cfg, unsigned reg) {
    int word = 0;
    for (int i = 0; i < cfg.n; ++i) {
        word |= (std::popcount(reg & static_cast<unsigned>(cfg.gp[i])) & 1) << i;
    }
    return word;
}

} // namespace

bool CoreConfig::sent(int phase, int i) const {
    if (!punctured || i >= 2) {
        return true;
    }
    const std::string& pattern = i == 0 ? pp0 : pp1;
    return pattern[static_cast<std::size_t>(phase)] == '1';
}

CoreConfig CoreConfig::with_set(int set) const {
    CoreConfig cfg = *this;
    if (!sets.empty()) {
        cfg.pp0 = sets[static_cast<std::size_t>(set)].first;
        cfg.pp1 = sets[static_cast<std::size_t>(set)].second;
    }
    return cfg;
}

int CoreConfig::set_bits() const {
    int bits = 0;
    while ((std::size_t{1} << bits) < sets.size()) {
        ++bits;
    }
    return bits;
}

std::vector<int> transmit(const CoreConfig& cfg, std::vector<int> code) {
    for (std::size_t j = 0; j < code.size(); ++j) {
        code[j] ^= (cfg.invert >> (j % static_cast<std::size_t>(cfg.n))) & 1;
    }
    return code;
}

Symbol received(const CoreConfig& cfg, int i, Symbol s) {
    if (((cfg.invert >> i) & 1) != 0) {
        s.conf = cfg.top() - s.conf;
    }
    return s;
}

std::vector<int> encode(const CoreConfig& cfg, const std::vector<int>& bits) {
    std::vector<int> code;
    unsigned reg = 0;
    for (const int bit : bits) {
        reg = (reg >> 1) | (static_cast<unsigned>(bit) << (cfg.k - 1));
        const int word = code_word(cfg, reg);
        for (int i = 0; i < cfg.n; ++i) {
            code.push_back((word >> i) & 1);
        }
    }
    return code;
}

Channel::Channel(const CoreConfig& cfg, double ebn0_db, double rate, unsigned seed)
    : top_(cfg.top()), soft_(cfg.soft),
      sigma_(std::sqrt(1.0 / (2.0 * rate * std::pow(10.0, ebn0_db / 10.0)))), rng_(seed) {}

Symbol Channel::send(int bit) {
    const double y = (bit != 0 ? 1.0 : -1.0) + sigma_ * normal_(rng_);
    if (!soft_) {
        return Symbol{y > 0.0 ? 1 : 0, false};
    }
    const long q = std::lround((y + 1.0) / 2.0 * top_);
    return Symbol{static_cast<int>(std::clamp<long>(q, 0, top_)), false};
}

double code_rate(const CoreConfig& cfg) {
    if (!cfg.punctured) {
        return 1.0 / cfg.n;
    }
    const int period = static_cast<int>(cfg.pp0.size());
    int sent = 0;
    for (int t = 0; t < period; ++t) {
        for (int i = 0; i < cfg.n; ++i) {
            sent += cfg.sent(t, i) ? 1 : 0;
        }
    }
    return static_cast<double>(period) / sent;
}

std::vector<Symbol> puncture(const CoreConfig& cfg, const std::vector<Symbol>& steps) {
    std::vector<Symbol> sent;
    const int period = cfg.punctured ? static_cast<int>(cfg.pp0.size()) : 1;
    for (std::size_t t = 0; t * cfg.n < steps.size(); ++t) {
        for (int i = 0; i < cfg.n; ++i) {
            if (cfg.sent(static_cast<int>(t % period), i)) {
                sent.push_back(steps[t * cfg.n + i]);
            }
        }
    }
    return sent;
}

std::vector<Symbol> depuncture(const CoreConfig& cfg, const std::vector<Symbol>& sent, int steps) {
    std::vector<Symbol> out;
    const int period = cfg.punctured ? static_cast<int>(cfg.pp0.size()) : 1;
    std::size_t next = 0;
    for (int t = 0; t < steps; ++t) {
        for (int i = 0; i < cfg.n; ++i) {
            if (cfg.sent(t % period, i) && next < sent.size()) {
                out.push_back(sent[next++]);
            } else {
                out.push_back(Symbol{0, true});
            }
        }
    }
    return out;
}

int input_code(const CoreConfig& cfg, int conf) {
    if (cfg.soft && !cfg.sdd_unsigned) {
        return conf ^ (1 << (cfg.soft_width - 1));
    }
    return conf;
}

namespace {

Decoded decode(const CoreConfig& cfg, const std::vector<Symbol>& steps, bool terminated) {
    const int states = 1 << (cfg.k - 1);
    const int count = static_cast<int>(steps.size()) / cfg.n;
    const int top = cfg.top();

    // Add-compare-select over the whole block. Every block starts in state
    // 0: its first K-1 steps keep predecessor 0.
    std::vector<long> pm(static_cast<std::size_t>(states), 0);
    std::vector<long> next(pm.size());
    std::vector<std::vector<int>> dec(static_cast<std::size_t>(count), std::vector<int>(pm.size()));
    // the state of the smallest metric after each step, the lower of equals
    std::vector<unsigned> best(static_cast<std::size_t>(count), 0);
    for (int t = 0; t < count; ++t) {
        std::vector<long> bm(std::size_t{1} << cfg.n, 0);
        for (std::size_t w = 0; w < bm.size(); ++w) {
            for (int i = 0; i < cfg.n; ++i) {
                const Symbol& s = steps[static_cast<std::size_t>(t * cfg.n + i)];
                if (!s.erased) {
                    bm[w] += ((w >> i) & 1) != 0 ? top - s.conf : s.conf;
                }
            }
        }
        for (int s = 0; s < states; ++s) {
            long cand[2];
            for (int x = 0; x < 2; ++x) {
                const unsigned reg = (static_cast<unsigned>(s) << 1) | static_cast<unsigned>(x);
                cand[x] = pm[reg & static_cast<unsigned>(states - 1)] +
                          bm[static_cast<std::size_t>(code_word(cfg, reg))];
            }
            const int x = (t >= cfg.k - 1 && cand[1] < cand[0]) ? 1 : 0;
            dec[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)] = x;
            next[static_cast<std::size_t>(s)] = cand[x];
        }
        pm.swap(next);
        best[static_cast<std::size_t>(t)] =
            static_cast<unsigned>(std::min_element(pm.begin(), pm.end()) - pm.begin());
    }

    // Traceback in chunks of C steps, from state 0 at a chunk's end over two
    // chunks, delivering the older one; the block's end flushes the rest.
    Decoded out;
    out.bits.assign(static_cast<std::size_t>(count), 0);
    out.errors.assign(static_cast<std::size_t>(count), 0);
    auto trace = [&](int from, int low, int deliver_below, unsigned s) {
        for (int t = from; t >= low; --t) {
            const auto x = static_cast<unsigned>(
                dec[static_cast<std::size_t>(t)][static_cast<std::size_t>(s)]);
            if (t < deliver_below) {
                out.bits[static_cast<std::size_t>(t)] = static_cast<int>(s >> (cfg.k - 2)) & 1;
                const int word = code_word(cfg, (s << 1) | x);
                for (int i = 0; i < cfg.n; ++i) {
                    const Symbol& sym = steps[static_cast<std::size_t>(t * cfg.n + i)];
                    const int hard = sym.conf >> (cfg.din_width() - 1);
                    if (!sym.erased && hard != ((word >> i) & 1)) {
                        ++out.errors[static_cast<std::size_t>(t)];
                    }
                }
            }
            s = ((s << 1) | x) & static_cast<unsigned>(states - 1);
        }
    };
    const int chunk = cfg.chunk();
    int done = 0;
    // a terminated block's last step flushes instead of ending a chunk
    for (int c = 1; (c + 1) * chunk < count + (terminated ? 0 : 1); ++c) {
        const int from = (c + 1) * chunk - 1;
        trace(from, (c - 1) * chunk, c * chunk,
              cfg.best ? best[static_cast<std::size_t>(from)] : 0);
        done = c;
    }
    if (terminated) {
        trace(count - 1, done * chunk, count, 0);
    } else {
        out.bits.resize(static_cast<std::size_t>(done * chunk));
        out.errors.resize(out.bits.size());
    }
    return out;
}

} // namespace

Decoded decode_block(const CoreConfig& cfg, const std::vector<Symbol>& steps) {
    return decode(cfg, steps, true);
}

Decoded decode_stream(const CoreConfig& cfg, const std::vector<Symbol>& steps) {
    return decode(cfg, steps, false);
}

std::vector<int> ber_windows(const CoreConfig& cfg, const std::vector<int>& errors) {
    std::vector<int> windows;
    const long rate = (1L << cfg.ber_period) - 1;
    long bits = 0;
    int sum = 0;
    for (const int e : errors) {
        sum += e;
        if (++bits == rate) {
            windows.push_back(sum);
            bits = 0;
            sum = 0;
        }
    }
    return windows;
}

} // namespace ipgen::viterbi
