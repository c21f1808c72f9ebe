#include "cores/rs_decoder/rs_decoder_model.hpp"

#include "cores/rs_encoder/rs_encoder_model.hpp"

#include <algorithm>
#include <cstddef>

namespace ipgen::front {

namespace {

using Poly = std::vector<int>; // coefficient i is that of x^i

} // namespace

RsDecoderModel::RsDecoderModel(const rs::GaloisField& field, int first_root, int rootspace, int n,
                               int k, int max_erasures, bool ccsds)
    : field_(field), first_root_(first_root), rootspace_(rootspace), n_(n), r_(n - k),
      max_erasures_(max_erasures), ccsds_(ccsds) {
    if (ccsds) {
        const auto size = static_cast<std::size_t>(field.nlong) + 1;
        to_dual_.resize(size);
        from_dual_.resize(size);
        for (int x = 0; x <= field.nlong; ++x) {
            const int z = to_dual_basis(field, x);
            to_dual_[static_cast<std::size_t>(x)] = z;
            from_dual_[static_cast<std::size_t>(z)] = x;
        }
    }
}

int RsDecoderModel::mul(int a, int b) const {
    if (a == 0 || b == 0) {
        return 0;
    }
    return field_.power(static_cast<long long>(field_.gf_log[static_cast<std::size_t>(a)]) +
                        field_.gf_log[static_cast<std::size_t>(b)]);
}

int RsDecoderModel::inv(int a) const {
    return a == 0
               ? 0
               : field_.power(-static_cast<long long>(field_.gf_log[static_cast<std::size_t>(a)]));
}

int RsDecoderModel::beta_pow(long long e) const {
    return field_.power(e * rootspace_);
}

std::vector<int> RsDecoderModel::syndromes(const std::vector<int>& word) const {
    std::vector<int> synd(static_cast<std::size_t>(r_));
    for (int s = 0; s < r_; ++s) {
        const int root = beta_pow(first_root_ + s);
        int sum = 0;
        for (const int symbol : word) {
            sum = mul(sum, root) ^ symbol;
        }
        synd[static_cast<std::size_t>(s)] = sum;
    }
    return synd;
}

RsDecoderModel::Result RsDecoderModel::decode(const std::vector<int>& received,
                                              const std::vector<int>& flags) const {
    Result failed{received, 0, true};
    const std::vector<int> erasures = max_erasures_ > 0 ? flags : std::vector<int>{};
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
    const std::vector<int> synd = syndromes(word);
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
    const auto locator = [&](int p) { return beta_pow(n_ - 1 - p); };

    // Berlekamp-Massey from the erasure locator prod (1 + X_p x).
    Poly sigma{1};
    for (const int p : erasures) {
        Poly next(sigma.size() + 1, 0);
        for (std::size_t i = 0; i < sigma.size(); ++i) {
            next[i] ^= sigma[i];
            next[i + 1] ^= mul(sigma[i], locator(p));
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
    // The core's Chien search and evaluator hold (r + e) / 2 locator terms.
    const int degree = static_cast<int>(sigma.size()) - 1;
    if (length > (r_ + max_erasures_) / 2 || degree > (r_ + max_erasures_) / 2) {
        return failed;
    }
    std::vector<int> roots;
    for (int p = 0; p < n_; ++p) {
        if (eval(sigma, inv(locator(p))) == 0) {
            roots.push_back(p);
        }
    }
    if (static_cast<int>(roots.size()) != degree || degree == 0) {
        return failed;
    }
    // Forney: Y = X^(1 - first root) omega(X^-1) / sigma'(X^-1).
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
    for (const int p : roots) {
        const int x = locator(p);
        const int x_inv = inv(x);
        const long long log_x = field_.gf_log[static_cast<std::size_t>(x)];
        const int value = mul(mul(field_.power(log_x * (1 - static_cast<long long>(first_root_))),
                                  eval(omega, x_inv)),
                              inv(eval(derivative, x_inv)));
        if (value != 0) {
            word[static_cast<std::size_t>(p)] ^= value;
            ++result.changed;
        }
    }
    const std::vector<int> check = syndromes(word);
    if (std::any_of(check.begin(), check.end(), [](int s) { return s != 0; })) {
        return failed;
    }
    for (std::size_t p = 0; p < word.size(); ++p) {
        result.word[p] = ccsds_ ? to_dual_[static_cast<std::size_t>(word[p])] : word[p];
    }
    return result;
}

} // namespace ipgen::front
