#include "generators/trellgen/params_validation.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/derived_values.hpp"

#include <limits>
#include <string>

namespace ipgen::viterbi {

namespace {

[[noreturn]] void refuse(const std::string& name, const std::string& value,
                         const std::string& accepted) {
    throw FatalError(std::string("trellgen: ") + user_params_file_name + ": " + name + " " + value +
                         ": accepted: " + accepted + "\n",
                     refused_input_status);
}

void check_range(const std::string& name, int value, int low, int high,
                 const std::string& accepted) {
    if (value < low || value > high) {
        refuse(name, std::to_string(value), accepted);
    }
}

void check_flag(const std::string& name, int value) {
    check_range(name, value, 0, 1, "0 or 1");
}

// A generator polynomial is written as its octal digits and becomes a
// K-bit octal literal, so every digit must be octal and the taps must fit
// in K bits.
void check_polynomial(int index, int polynomial, int cons_length) {
    const std::string name = item::polynomial + std::to_string(index);
    const std::string accepted = "octal digits (0 to 7) of a polynomial below 2^" +
                                 std::to_string(cons_length) + " (K bits)";
    if (polynomial < 0) {
        refuse(name, std::to_string(polynomial), accepted);
    }
    long long value = 0;
    long long weight = 1;
    for (int rest = polynomial; rest != 0; rest /= 10) {
        const int digit = rest % 10;
        if (digit > 7) {
            refuse(name, std::to_string(polynomial), accepted);
        }
        value += digit * weight;
        weight *= 8;
    }
    if (value >= (1LL << cons_length)) {
        refuse(name, std::to_string(polynomial), accepted);
    }
}

// A pattern as the message shows it: quoted, a long one cut short.
std::string shown_pattern(const std::string& pattern) {
    constexpr std::size_t shown = 32;
    std::string text = "\"";
    if (pattern.size() <= shown) {
        text.append(pattern).append("\"");
        return text;
    }
    text.append(pattern, 0, shown).append("...\" (");
    text.append(std::to_string(pattern.size())).append(" characters)");
    return text;
}

void check_pattern(const std::string& name, const std::string& pattern, int pb_size) {
    const bool binary = pattern.find_first_not_of("01") == std::string::npos;
    if (!binary || pattern.size() != static_cast<std::size_t>(pb_size)) {
        refuse(name, shown_pattern(pattern),
               "exactly " + std::to_string(pb_size) +
                   " characters 0 or 1 (one per symbol of the puncture block)");
    }
}

} // namespace

void validate_user_params(const UserParamsReading& reading) {
    if (reading.out_of_range) {
        refuse(reading.out_of_range->item, reading.out_of_range->text,
               "a number within the 32-bit integer range");
    }
    const ViterbiUserParams& p = reading.params;
    // The memory-count table of the survivor memory ends at K = 9.
    check_range(item::cons_length, p.cons_length, 3, 9, "3 to 9");
    check_range(item::code_rate, p.code_rate, 1, max_polynomials, "1 to 3 (code rate 1/n)");
    for (int i = 0; i < p.code_rate; ++i) {
        check_polynomial(i, p.gp[static_cast<std::size_t>(i)], p.cons_length);
    }
    check_flag(item::soft_decision, p.soft_decision);
    if (p.soft_decision == 1) {
        check_range(item::soft_width, p.soft_width, 1, 16, "1 to 16 bits per soft symbol");
        check_flag(item::sdd_unsigned, p.sdd_unsigned);
    }
    check_flag(item::punctured, p.punctured);
    if (p.punctured == 1) {
        // Each pattern holds one character per symbol of the block.
        check_range(item::pb_size, p.pb_size, 1, 14, "1 to 14");
        check_pattern(item::pp0, p.pp0, p.pb_size);
        check_pattern(item::pp1, p.pp1, p.pb_size);
    }
    if (p.device == 0) {
        // PREFIX0 and PREFIX1 are 8 - L(TB) bits wide.
        check_range(item::tb_length, p.tb_length, 1, 256,
                    "1 to 256 for device class 0 (the address prefixes are 8 - L(TB) bits)");
    } else {
        check_range(item::tb_length, p.tb_length, 1, std::numeric_limits<int>::max(), "1 or more");
    }
    check_flag(item::hybrid, p.hybrid);
    if (p.hybrid == 1) {
        check_range(item::hybrid_index, p.hybrid_index, 0, p.cons_length - 1,
                    "0 to " + std::to_string(p.cons_length - 1) + " (K-1)");
    }
    check_flag(item::ber_present, p.ber_present);
    if (p.ber_present == 1) {
        check_range(item::ber_period, p.ber_period, 1, 32, "1 to 32 (BER_RATE is 2^BP - 1)");
    }
    // Within the ranges above only the BER delay line, about 4 x TB long, can
    // leave the 32-bit range.
    const Derivation derivation = derive_values(p);
    if (derivation.overflow) {
        refuse(item::tb_length, std::to_string(p.tb_length),
               "a length that keeps " + derivation.overflow->name + " (here " +
                   std::to_string(derivation.overflow->value) +
                   ") within the 32-bit integer range");
    }
}

} // namespace ipgen::viterbi
