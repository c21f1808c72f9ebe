#include "models/fast_paths.hpp"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace ipgen::models {

std::int64_t result_word(const fir::FirConfig& c, std::int64_t bits) {
    if (!c.signed_results() || c.out_width >= 64) {
        return bits;
    }
    const std::uint64_t sign = std::uint64_t{1} << (c.out_width - 1);
    const auto value = static_cast<std::uint64_t>(bits);
    return static_cast<std::int64_t>((value ^ sign) - sign);
}

std::optional<std::vector<std::int64_t>> fast_fir(const fir::FirConfig& c, const fir::CoeffSet& set,
                                                  std::span<const std::int64_t> samples) {
    if (c.is_complex || c.filter_type == fir::interpolation) {
        return std::nullopt;
    }
    const std::vector<fir::Value> response = fir::impulse_response(c, set);
    std::vector<std::int64_t> h;
    std::uint64_t h_sum = 0;
    for (const fir::Value& v : response) {
        h.push_back(v.re);
        h_sum += static_cast<std::uint64_t>(std::llabs(v.re));
    }
    // |sum| <= sum |h| * max |x| < 2^62: exact in 64 bits.
    const int x_bits = c.width; // |x| <= 2^width
    if (std::bit_width(h_sum) + x_bits > 62) {
        return std::nullopt;
    }
    const auto taps = h.size();
    const std::size_t count = samples.size();
    // The samples behind a run of zeros (the line starts empty).
    std::vector<std::int64_t> x(taps - 1, 0);
    x.insert(x.end(), samples.begin(), samples.end());
    std::vector<std::int64_t> reversed(h.rbegin(), h.rend());
    const std::size_t step =
        c.filter_type == fir::decimation ? static_cast<std::size_t>(c.deci) : 1;
    std::vector<std::int64_t> out;
    out.reserve(count / step + 1);
    for (std::size_t n = step - 1; n < count; n += step) {
        const std::int64_t* window = x.data() + n; // x[n - taps + 1 .. n]
        std::int64_t sum = 0;
        for (std::size_t k = 0; k < taps; ++k) {
            sum += reversed[k] * window[k];
        }
        bool clamped = false;
        out.push_back(result_word(c, fir::scale_sum(c, sum, clamped)));
    }
    return out;
}

} // namespace ipgen::models

#include "cores/rs_encoder/rs_encoder_model.hpp"

namespace ipgen::models {

FastRsDecoder::FastRsDecoder(const rs::GaloisField& field, int first_root, int rootspace, int n,
                             int k, int max_erasures, bool ccsds)
    : field_(field), first_root_(first_root), n_(n), r_(n - k), max_erasures_(max_erasures),
      ccsds_(ccsds) {
    const auto size = static_cast<std::size_t>(field.nlong) + 1;
    for (int i = 0; i < 2 * field.nlong; ++i) {
        exp2_.push_back(field.power(i));
    }
    log_ = field.gf_log;
    inv_.assign(size, 0);
    for (int a = 1; a <= field.nlong; ++a) {
        inv_[static_cast<std::size_t>(a)] =
            field.power(-static_cast<long long>(field.gf_log[static_cast<std::size_t>(a)]));
    }
    const auto beta_pow = [&](long long e) { return field.power(e * rootspace); };
    for (int s = 0; s < r_; ++s) {
        roots_.push_back(beta_pow(first_root + s));
    }
    for (int p = 0; p < n; ++p) {
        locator_.push_back(beta_pow(n - 1 - p));
        locator_inv_.push_back(inv(locator_.back()));
    }
    if (ccsds) {
        to_dual_.resize(size);
        from_dual_.resize(size);
        for (int x = 0; x <= field.nlong; ++x) {
            const int z = front::to_dual_basis(field, x);
            to_dual_[static_cast<std::size_t>(x)] = z;
            from_dual_[static_cast<std::size_t>(z)] = x;
        }
    }
}

// Horner's rule per root as the model, the roots side by side (each
// syndrome's chain of products is the model's).
void FastRsDecoder::syndromes(const std::vector<int>& word, std::vector<int>& synd) const {
    synd.assign(static_cast<std::size_t>(r_), 0);
    std::vector<int> log_roots(static_cast<std::size_t>(r_));
    for (std::size_t s = 0; s < log_roots.size(); ++s) {
        log_roots[s] = log_[static_cast<std::size_t>(roots_[s])];
    }
    for (const int symbol : word) {
        for (std::size_t s = 0; s < synd.size(); ++s) {
            const int sum = synd[s];
            synd[s] = (sum == 0 ? 0
                                : exp2_[static_cast<std::size_t>(
                                      log_[static_cast<std::size_t>(sum)] + log_roots[s])]) ^
                      symbol;
        }
    }
}

FastRsDecoder::Result FastRsDecoder::decode(const std::vector<int>& received,
                                            const std::vector<int>& flags) const {
    using Poly = std::vector<int>;
    Result failed{received, 0, true};
    static const std::vector<int> none;
    const std::vector<int>& erasures = max_erasures_ > 0 ? flags : none;
    const int rho = static_cast<int>(erasures.size());
    if (rho > max_erasures_) {
        return failed;
    }
    std::vector<int> word = received;
    if (ccsds_) {
        for (int& symbol : word) {
            symbol = from_dual_[static_cast<std::size_t>(symbol)];
        }
    }
    std::vector<int> synd;
    syndromes(word, synd);
    if (std::all_of(synd.begin(), synd.end(), [](int s) { return s == 0; })) {
        return {received, 0, false};
    }
    const auto eval = [&](const Poly& poly, int x) {
        int sum = 0;
        for (auto it = poly.rbegin(); it != poly.rend(); ++it) {
            sum = mul(sum, x) ^ *it;
        }
        return sum;
    };
    Poly sigma{1};
    for (const int p : erasures) {
        Poly next(sigma.size() + 1, 0);
        for (std::size_t i = 0; i < sigma.size(); ++i) {
            next[i] ^= sigma[i];
            next[i + 1] ^= mul(sigma[i], locator_[static_cast<std::size_t>(p)]);
        }
        sigma = next;
    }
    Poly b = sigma;
    int length = rho;
    for (int step = rho; step < r_; ++step) {
        int delta = 0;
        for (std::size_t i = 0; i < sigma.size() && static_cast<int>(i) <= step; ++i) {
            delta ^= mul(sigma[i], synd[static_cast<std::size_t>(step) - i]);
        }
        b.insert(b.begin(), 0);
        if (delta == 0) {
            continue;
        }
        Poly next = sigma;
        next.resize(std::max(next.size(), b.size()), 0);
        for (std::size_t i = 0; i < b.size(); ++i) {
            next[i] ^= mul(delta, b[i]);
        }
        if (2 * length <= step + rho) {
            length = step + 1 + rho - length;
            b = sigma;
            for (int& c : b) {
                c = mul(c, inv(delta));
            }
        }
        sigma = next;
    }
    while (sigma.size() > 1 && sigma.back() == 0) {
        sigma.pop_back();
    }
    const int degree = static_cast<int>(sigma.size()) - 1;
    if (length > (r_ + max_erasures_) / 2 || degree > (r_ + max_erasures_) / 2) {
        return failed;
    }
    std::vector<int> roots;
    for (int p = 0; p < n_; ++p) {
        if (eval(sigma, locator_inv_[static_cast<std::size_t>(p)]) == 0) {
            roots.push_back(p);
        }
    }
    if (static_cast<int>(roots.size()) != degree || degree == 0) {
        return failed;
    }
    Poly omega(static_cast<std::size_t>(r_), 0);
    for (int i = 0; i < r_; ++i) {
        for (int j = 0; j < static_cast<int>(sigma.size()) && j <= i; ++j) {
            omega[static_cast<std::size_t>(i)] ^=
                mul(synd[static_cast<std::size_t>(i - j)], sigma[static_cast<std::size_t>(j)]);
        }
    }
    Poly derivative;
    for (std::size_t i = 1; i < sigma.size(); ++i) {
        derivative.push_back(i % 2 == 1 ? sigma[i] : 0);
    }
    Result result{received, 0, false};
    // The syndromes of the corrected word: the received word's plus those
    // of the corrections (the syndromes are linear in the word).
    std::vector<int> check = synd;
    for (const int p : roots) {
        const int x = locator_[static_cast<std::size_t>(p)];
        const int x_inv = locator_inv_[static_cast<std::size_t>(p)];
        const long long log_x = field_.gf_log[static_cast<std::size_t>(x)];
        const int value = mul(mul(field_.power(log_x * (1 - static_cast<long long>(first_root_))),
                                  eval(omega, x_inv)),
                              inv(eval(derivative, x_inv)));
        if (value != 0) {
            word[static_cast<std::size_t>(p)] ^= value;
            ++result.changed;
            for (int j = 0; j < r_; ++j) {
                const long long log_root =
                    log_[static_cast<std::size_t>(roots_[static_cast<std::size_t>(j)])];
                check[static_cast<std::size_t>(j)] ^=
                    mul(value, field_.power(log_root * (n_ - 1 - p)));
            }
        }
    }
    if (std::any_of(check.begin(), check.end(), [](int s) { return s != 0; })) {
        return failed;
    }
    for (std::size_t p = 0; p < word.size(); ++p) {
        result.word[p] = ccsds_ ? to_dual_[static_cast<std::size_t>(word[p])] : word[p];
    }
    return result;
}

} // namespace ipgen::models

namespace ipgen::models {

std::vector<std::uint8_t> fast_viterbi_bits(const viterbi::CoreConfig& cfg,
                                            const std::vector<viterbi::Symbol>& steps) {
    const int states = 1 << (cfg.k - 1);
    const auto count = static_cast<int>(steps.size()) / cfg.n;
    const int top = cfg.top();
    std::vector<int> word_of(std::size_t{1} << cfg.k);
    for (unsigned reg = 0; reg < word_of.size(); ++reg) {
        int word = 0;
        for (int i = 0; i < cfg.n; ++i) {
            word |=
                (std::popcount(reg & static_cast<unsigned>(cfg.gp[static_cast<std::size_t>(i)])) &
                 1)
                << i;
        }
        word_of[reg] = word;
    }
    // Per state s: its predecessors' metrics at 2s and 2s+1 (mod states),
    // the code words of the two branches into it.
    std::vector<int> w0(static_cast<std::size_t>(states));
    std::vector<int> w1(w0.size());
    for (std::size_t s = 0; s < w0.size(); ++s) {
        w0[s] = word_of[s << 1];
        w1[s] = word_of[s << 1 | 1U];
    }
    // 32-bit metrics, brought back to pm[0] = 0 after every step: a common
    // offset changes no comparison, so every decision is the model's, and
    // the spread of the metrics stays within (K - 1) branch metrics. The
    // states in butterflies: s and s + states/2 share the predecessors 2s'
    // and 2s'+1, so the loop below has no data-dependent index and the
    // compiler runs it on vector registers.
    std::vector<std::int32_t> pm(static_cast<std::size_t>(states), 0);
    std::vector<std::int32_t> next(pm.size());
    std::vector<std::int32_t> bm0(pm.size());
    std::vector<std::int32_t> bm1(pm.size());
    std::vector<std::uint8_t> dec(static_cast<std::size_t>(count) * pm.size());
    std::int32_t bm[8];
    const std::size_t half = pm.size() / 2;
    for (int t = 0; t < count; ++t) {
        const std::size_t words = std::size_t{1} << cfg.n;
        for (std::size_t w = 0; w < words; ++w) {
            bm[w] = 0;
            for (int i = 0; i < cfg.n; ++i) {
                const viterbi::Symbol& s = steps[static_cast<std::size_t>(t * cfg.n + i)];
                if (!s.erased) {
                    bm[w] += ((w >> i) & 1) != 0 ? top - s.conf : s.conf;
                }
            }
        }
        for (std::size_t s = 0; s < pm.size(); ++s) {
            bm0[s] = bm[w0[s]];
            bm1[s] = bm[w1[s]];
        }
        // Before step K-1 every state keeps predecessor 0 (the block
        // starts in state 0).
        const std::uint8_t allow = t >= cfg.k - 1 ? 1 : 0;
        std::uint8_t* decided = dec.data() + static_cast<std::size_t>(t) * pm.size();
        const std::int32_t* p = pm.data();
        const std::int32_t* b0 = bm0.data();
        const std::int32_t* b1 = bm1.data();
        std::int32_t* q = next.data();
        for (std::size_t i = 0; i < half; ++i) {
            const std::int32_t a = p[2 * i];
            const std::int32_t b = p[2 * i + 1];
            const std::int32_t lo0 = a + b0[i];
            const std::int32_t lo1 = b + b1[i];
            const std::int32_t hi0 = a + b0[i + half];
            const std::int32_t hi1 = b + b1[i + half];
            const std::uint8_t lo = allow & static_cast<std::uint8_t>(lo1 < lo0);
            const std::uint8_t hi = allow & static_cast<std::uint8_t>(hi1 < hi0);
            decided[i] = lo;
            decided[i + half] = hi;
            q[i] = lo != 0 ? lo1 : lo0;
            q[i + half] = hi != 0 ? hi1 : hi0;
        }
        const std::int32_t base = q[0];
        for (std::size_t s = 0; s < pm.size(); ++s) {
            q[s] -= base;
        }
        pm.swap(next);
    }
    const auto mask = static_cast<unsigned>(states - 1);
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(count), 0);
    const auto trace = [&](int from, int low, int deliver_below) {
        unsigned s = 0;
        for (int t = from; t >= low; --t) {
            const unsigned x = dec[static_cast<std::size_t>(t) * pm.size() + s];
            if (t < deliver_below) {
                bits[static_cast<std::size_t>(t)] =
                    static_cast<std::uint8_t>((s >> (cfg.k - 2)) & 1);
            }
            s = ((s << 1) | x) & mask;
        }
    };
    const int chunk = cfg.chunk(); // 4 * ceil(TB / 4) with two steps per clock
    int done = 0;
    for (int c = 1; (c + 1) * chunk < count; ++c) {
        trace((c + 1) * chunk - 1, (c - 1) * chunk, c * chunk);
        done = c;
    }
    trace(count - 1, done * chunk, count);
    return bits;
}

} // namespace ipgen::models
