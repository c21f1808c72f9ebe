#include "rs_model.hpp"

#include <algorithm>
#include <stdexcept>

namespace ipgen::hdl {

Gf::Gf(int m, int field_poly)
    : m_(m), poly_(field_poly), nlong_((1 << m) - 1), exp_(nlong_), log_(nlong_ + 1, -1) {
    int a = 1;
    for (int i = 0; i < nlong_; ++i) {
        if (log_[a] >= 0) {
            throw std::invalid_argument("field polynomial is not primitive");
        }
        exp_[i] = a;
        log_[a] = i;
        a = mul(a, 2);
    }
}

int Gf::mul(int a, int b) const {
    int product = 0;
    for (int bit = m_ - 1; bit >= 0; --bit) {
        product <<= 1;
        if ((product >> m_) & 1) {
            product ^= poly_;
        }
        if ((b >> bit) & 1) {
            product ^= a;
        }
    }
    return product;
}

int Gf::alpha_pow(std::int64_t e) const {
    std::int64_t reduced = e % nlong_;
    if (reduced < 0) {
        reduced += nlong_;
    }
    return exp_[static_cast<std::size_t>(reduced)];
}

int Gf::pow(int a, std::int64_t e) const {
    if (a == 0) {
        return e == 0 ? 1 : 0;
    }
    return alpha_pow(static_cast<std::int64_t>(log_[a]) * e);
}

int Gf::inv(int a) const {
    return a == 0 ? 0 : alpha_pow(-log_[a]);
}

int Gf::log(int a) const {
    return log_[a];
}

int poly_eval(const Gf& gf, const Poly& poly, int x) {
    int sum = 0;
    for (auto it = poly.rbegin(); it != poly.rend(); ++it) {
        sum = gf.mul(sum, x) ^ *it;
    }
    return sum;
}

namespace {

Poly poly_mul(const Gf& gf, const Poly& a, const Poly& b) {
    Poly product(a.size() + b.size() - 1, 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j) {
            product[i + j] ^= gf.mul(a[i], b[j]);
        }
    }
    return product;
}

} // namespace

Poly generator_poly(const RsCode& code) {
    Poly g{1};
    for (int s = 0; s < code.r(); ++s) {
        g = poly_mul(code.gf, g, Poly{code.beta_pow(code.first_root + s), 1});
    }
    return g;
}

std::vector<int> syndromes(const RsCode& code, const std::vector<int>& word) {
    std::vector<int> synd(code.r());
    for (int s = 0; s < code.r(); ++s) {
        const int root = code.beta_pow(code.first_root + s);
        int sum = 0;
        for (int symbol : word) { // Horner's rule, highest power first
            sum = code.gf.mul(sum, root) ^ symbol;
        }
        synd[s] = sum;
    }
    return synd;
}

Errata decode_errata(const RsCode& code, const std::vector<int>& synd,
                     const std::vector<int>& erasures) {
    const Gf& gf = code.gf;
    const int r = code.r();
    const int rho = static_cast<int>(erasures.size());
    Poly sigma{1};
    for (int p : erasures) {
        sigma = poly_mul(gf, sigma, Poly{1, code.locator(p)});
    }
    Poly b = sigma;
    int length = rho;
    for (int step = rho; step < r; ++step) {
        int delta = 0;
        for (std::size_t i = 0; i < sigma.size() && static_cast<int>(i) <= step; ++i) {
            delta ^= gf.mul(sigma[i], synd[step - i]);
        }
        b.insert(b.begin(), 0); // x * b
        if (delta == 0) {
            continue;
        }
        Poly next = sigma;
        next.resize(std::max(next.size(), b.size()), 0);
        for (std::size_t i = 0; i < b.size(); ++i) {
            next[i] ^= gf.mul(delta, b[i]);
        }
        if (2 * length <= step + rho) {
            length = step + 1 + rho - length;
            b = sigma;
            const int scale = gf.inv(delta);
            for (int& c : b) {
                c = gf.mul(c, scale);
            }
        }
        sigma = next;
    }
    while (sigma.size() > 1 && sigma.back() == 0) {
        sigma.pop_back();
    }
    Errata errata;
    errata.sigma = sigma;
    errata.degree = length;
    errata.omega.assign(r, 0);
    for (int i = 0; i < r; ++i) {
        for (std::size_t j = 0; j < sigma.size() && static_cast<int>(j) <= i; ++j) {
            errata.omega[i] ^= gf.mul(synd[i - j], sigma[j]);
        }
    }
    while (errata.omega.size() > 1 && errata.omega.back() == 0) {
        errata.omega.pop_back();
    }
    for (int p = 0; p < code.n; ++p) {
        if (poly_eval(gf, sigma, gf.inv(code.locator(p))) == 0) {
            errata.positions.push_back(p);
        }
    }
    errata.ok = static_cast<int>(sigma.size()) - 1 == length &&
                static_cast<int>(errata.positions.size()) == length;
    return errata;
}

int error_value(const RsCode& code, const Errata& errata, int p) {
    const Gf& gf = code.gf;
    const int x = code.locator(p);
    const int x_inv = gf.inv(x);
    Poly derivative;
    for (std::size_t i = 1; i < errata.sigma.size(); ++i) {
        derivative.push_back(i % 2 == 1 ? errata.sigma[i] : 0);
    }
    const int numerator = gf.mul(gf.pow(x, 1 - static_cast<std::int64_t>(code.first_root)),
                                 poly_eval(gf, errata.omega, x_inv));
    return gf.mul(numerator, gf.inv(poly_eval(gf, derivative, x_inv)));
}

} // namespace ipgen::hdl

namespace ipgen::hdl {

Received corrupt(const RsCode& code, const std::vector<int>& codeword, int errors, int erasures,
                 std::mt19937& rng) {
    std::vector<int> positions(static_cast<std::size_t>(code.n));
    for (int p = 0; p < code.n; ++p) {
        positions[p] = p;
    }
    std::shuffle(positions.begin(), positions.end(), rng);
    std::uniform_int_distribution<int> nonzero(1, code.gf.nlong());
    Received received{codeword, {}};
    for (int i = 0; i < errors; ++i) {
        received.word[positions[i]] ^= nonzero(rng);
    }
    for (int i = errors; i < errors + erasures; ++i) {
        if (rng() % 4 != 0) {
            received.word[positions[i]] ^= nonzero(rng);
        }
        received.erasures.push_back(positions[i]);
    }
    std::sort(received.erasures.begin(), received.erasures.end());
    return received;
}

std::vector<int> random_data(const RsCode& code, std::mt19937& rng) {
    std::uniform_int_distribution<int> symbol(0, code.gf.nlong());
    std::vector<int> data(static_cast<std::size_t>(code.k));
    for (int& d : data) {
        d = symbol(rng);
    }
    return data;
}

} // namespace ipgen::hdl
