// A software Reed-Solomon model that the hardware is checked against. It is
// written apart from the generators' own field code (multiplication by
// shift-and-add, its own tables), so an error there cannot hide itself.
//
// Conventions of the decoder core: a word is a vector of n symbols in the
// order they are clocked in; word[p] is the coefficient of x^(n-1-p). The
// code's base element is beta = alpha^rootspace, its roots are
// beta^(first_root + s), s = 0 .. r-1.
#pragma once

#include <cstdint>
#include <vector>

namespace ipgen::hdl {

class Gf {
  public:
    Gf(int m, int field_poly);

    int m() const { return m_; }
    int nlong() const { return nlong_; }
    int mul(int a, int b) const;
    int alpha_pow(std::int64_t e) const; // any exponent, reduced modulo nlong
    int pow(int a, std::int64_t e) const;
    int inv(int a) const; // inv(0) = 0
    int log(int a) const; // a != 0

  private:
    int m_;
    int poly_;
    int nlong_;
    std::vector<int> exp_;
    std::vector<int> log_;
};

// Coefficient i is that of x^i.
using Poly = std::vector<int>;

int poly_eval(const Gf& gf, const Poly& poly, int x);

struct RsCode {
    Gf gf;
    int n;
    int k;
    int first_root;
    int rootspace;

    int r() const { return n - k; }
    int beta_pow(std::int64_t e) const { return gf.alpha_pow(e * rootspace); }
    // The locator of position p: beta^(n-1-p).
    int locator(int p) const { return beta_pow(n - 1 - p); }
};

// prod over s of (x + beta^(first_root + s)), r + 1 coefficients.
Poly generator_poly(const RsCode& code);

// S_s = word(beta^(first_root + s)), s = 0 .. r-1.
std::vector<int> syndromes(const RsCode& code, const std::vector<int>& word);

struct Errata {
    Poly sigma;                 // errata locator, sigma[0] = 1
    Poly omega;                 // evaluator: S(x) sigma(x) mod x^r
    int degree = 0;             // the register length of the shift-register synthesis
    bool ok = false;            // the locator has exactly `degree` roots inside the word
    std::vector<int> positions; // the roots, as positions p, ascending
};

// Berlekamp-Massey started from the erasure locator, then the Chien search
// over the n positions of the (possibly shortened) word.
Errata decode_errata(const RsCode& code, const std::vector<int>& synd,
                     const std::vector<int>& erasures);

// Forney: the error value at position p, X^(1-first_root) omega(X^-1) /
// sigma'(X^-1) with X the locator of p.
int error_value(const RsCode& code, const Errata& errata, int p);

} // namespace ipgen::hdl

#include <random>

namespace ipgen::hdl {

// A received word: `codeword` with `errors` symbols changed at random
// positions and `erasures` more positions flagged as erased (most of them
// changed too, some left intact: an erasure flag on a correct symbol).
struct Received {
    std::vector<int> word;
    std::vector<int> erasures; // ascending positions
};

Received corrupt(const RsCode& code, const std::vector<int>& codeword, int errors, int erasures,
                 std::mt19937& rng);

// k random data symbols.
std::vector<int> random_data(const RsCode& code, std::mt19937& rng);

} // namespace ipgen::hdl
