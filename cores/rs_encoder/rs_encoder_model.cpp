#include "cores/rs_encoder/rs_encoder_model.hpp"

#include <cstddef>

namespace ipgen::front {

namespace {

int field_multiply(const rs::GaloisField& field, int a, int b) {
    if (a == 0 || b == 0) {
        return 0;
    }
    return field.power(static_cast<std::int64_t>(field.gf_log[static_cast<std::size_t>(a)]) +
                       field.gf_log[static_cast<std::size_t>(b)]);
}

// trace(x) = x + x^2 + x^4 + ... + x^(2^(m-1)), always 0 or 1.
int trace(const rs::GaloisField& field, int x) {
    int sum = 0;
    for (int i = 0; i < field.m; ++i) {
        sum ^= x;
        x = field_multiply(field, x, x);
    }
    return sum;
}

constexpr int ccsds_dual_step = 117;

} // namespace

int to_dual_basis(const rs::GaloisField& field, int x) {
    int z = 0;
    for (int j = 0; j < field.m; ++j) {
        const int coordinate =
            trace(field, field_multiply(field, x, field.power(std::int64_t{ccsds_dual_step} * j)));
        z |= coordinate << (field.m - 1 - j);
    }
    return z;
}

int from_dual_basis(const rs::GaloisField& field, int z) {
    // The map is linear and one to one: invert it by search over the 2^m
    // symbols (256 for the CCSDS field), once per call.
    for (int x = 0; x <= field.nlong; ++x) {
        if (to_dual_basis(field, x) == z) {
            return x;
        }
    }
    return 0;
}

RsEncoderModel::RsEncoderModel(const rs::GaloisField& field, int first_root, int rootspace, int n,
                               int k, bool ccsds)
    : field_(field), n_(n), k_(k), ccsds_(ccsds) {
    // gen(x) = product of (x + root_i), built one factor at a time.
    gen_ = {1};
    for (int i = 0; i < n - k; ++i) {
        const int root = field.power((static_cast<std::int64_t>(first_root) + i) * rootspace);
        std::vector<int> next(gen_.size() + 1, 0);
        for (std::size_t j = 0; j < gen_.size(); ++j) {
            next[j + 1] ^= gen_[j];
            next[j] ^= multiply(gen_[j], root);
        }
        gen_ = next;
    }
    if (ccsds) {
        to_dual_.resize(static_cast<std::size_t>(field.nlong) + 1);
        from_dual_.resize(to_dual_.size());
        for (int x = 0; x <= field.nlong; ++x) {
            to_dual_[static_cast<std::size_t>(x)] = to_dual_basis(field, x);
            from_dual_[static_cast<std::size_t>(to_dual_basis(field, x))] = x;
        }
    }
}

int RsEncoderModel::multiply(int a, int b) const {
    return field_multiply(field_, a, b);
}

std::vector<int> RsEncoderModel::encode(const std::vector<int>& data) const {
    const std::size_t r = static_cast<std::size_t>(n_ - k_);
    // The remainder register: parity[j] is the coefficient of x^j.
    std::vector<int> parity(r, 0);
    std::vector<int> word;
    for (const int port_symbol : data) {
        const int symbol = ccsds_ ? from_dual_[static_cast<std::size_t>(port_symbol)] : port_symbol;
        const int feedback = symbol ^ parity[r - 1];
        for (std::size_t j = r - 1; j > 0; --j) {
            parity[j] = parity[j - 1] ^ multiply(feedback, gen_[j]);
        }
        parity[0] = multiply(feedback, gen_[0]);
        word.push_back(port_symbol);
    }
    for (std::size_t j = r; j-- > 0;) {
        word.push_back(ccsds_ ? to_dual_[static_cast<std::size_t>(parity[j])] : parity[j]);
    }
    return word;
}

} // namespace ipgen::front
