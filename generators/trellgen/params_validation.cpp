#include "generators/trellgen/params_validation.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/derived_values.hpp"

#include <limits>
#include <string>

namespace ipgen::viterbi {

namespace {

// Collects the problems of one record, in file order.
class Checker {
  public:
    std::vector<Problem> problems;

    bool range(Item item, int value, int low, int high, const std::string& accepted) {
        if (value < low || value > high) {
            add(item, 0, std::to_string(value), accepted);
            return false;
        }
        return true;
    }

    bool flag(Item item, int value) { return range(item, value, 0, 1, "0 or 1"); }

    void add(Item item, int index, std::string value, std::string accepted) {
        problems.push_back({item, index, std::move(value), std::move(accepted)});
    }
};

// A generator polynomial is written as its octal digits and becomes a
// K-bit octal literal, so every digit must be octal and the taps must fit
// in K bits.
void check_polynomial(Checker& checker, int index, int polynomial, int cons_length) {
    const std::string accepted = "octal digits (0 to 7) of a polynomial below 2^" +
                                 std::to_string(cons_length) + " (K bits)";
    bool octal = polynomial >= 0;
    long long value = 0;
    long long weight = 1;
    for (int rest = polynomial; octal && rest != 0; rest /= 10) {
        const int digit = rest % 10;
        octal = digit <= 7;
        value += digit * weight;
        weight *= 8;
    }
    if (!octal || value >= (1LL << cons_length)) {
        checker.add(Item::polynomial, index, std::to_string(polynomial), accepted);
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

void check_pattern(Checker& checker, Item item, const std::string& pattern, int pb_size) {
    const bool binary = pattern.find_first_not_of("01") == std::string::npos;
    if (!binary || pattern.size() != static_cast<std::size_t>(pb_size)) {
        checker.add(item, 0, shown_pattern(pattern),
                    "exactly " + std::to_string(pb_size) +
                        " characters 0 or 1 (one per symbol of the puncture block)");
    }
}

} // namespace

std::string Problem::item_name() const {
    switch (item) {
    case Item::cons_length:
        return item::cons_length;
    case Item::code_rate:
        return item::code_rate;
    case Item::polynomial:
        return item::polynomial + std::to_string(index);
    case Item::soft_decision:
        return item::soft_decision;
    case Item::soft_width:
        return item::soft_width;
    case Item::sdd_unsigned:
        return item::sdd_unsigned;
    case Item::punctured:
        return item::punctured;
    case Item::pb_size:
        return item::pb_size;
    case Item::pp0:
        return item::pp0;
    case Item::pp1:
        return item::pp1;
    case Item::tb_length:
        return item::tb_length;
    case Item::hybrid:
        return item::hybrid;
    case Item::hybrid_index:
        return item::hybrid_index;
    case Item::ber_present:
        return item::ber_present;
    case Item::ber_period:
        return item::ber_period;
    }
    return {};
}

std::string Problem::text() const {
    return item_name() + " " + value + ": accepted: " + accepted;
}

std::vector<Problem> check(const ViterbiUserParams& p) {
    Checker c;
    // The memory-count table of the survivor memory ends at K = 9.
    const bool k_ok = c.range(Item::cons_length, p.cons_length, 3, 9, "3 to 9");
    const bool n_ok =
        c.range(Item::code_rate, p.code_rate, 1, max_polynomials, "1 to 3 (code rate 1/n)");
    for (int i = 0; k_ok && n_ok && i < p.code_rate; ++i) {
        check_polynomial(c, i, p.gp[static_cast<std::size_t>(i)], p.cons_length);
    }
    c.flag(Item::soft_decision, p.soft_decision);
    if (p.soft_decision == 1) {
        c.range(Item::soft_width, p.soft_width, 1, 16, "1 to 16 bits per soft symbol");
        c.flag(Item::sdd_unsigned, p.sdd_unsigned);
    }
    c.flag(Item::punctured, p.punctured);
    if (p.punctured == 1) {
        // Each pattern holds one character per symbol of the block.
        if (c.range(Item::pb_size, p.pb_size, 1, 14, "1 to 14")) {
            check_pattern(c, Item::pp0, p.pp0, p.pb_size);
            check_pattern(c, Item::pp1, p.pp1, p.pb_size);
        }
    }
    if (p.device == 0) {
        // PREFIX0 and PREFIX1 are 8 - L(TB) bits wide.
        c.range(Item::tb_length, p.tb_length, 1, 256,
                "1 to 256 for device class 0 (the address prefixes are 8 - L(TB) bits)");
    } else {
        c.range(Item::tb_length, p.tb_length, 1, std::numeric_limits<int>::max(), "1 or more");
    }
    c.flag(Item::hybrid, p.hybrid);
    if (p.hybrid == 1 && k_ok) {
        c.range(Item::hybrid_index, p.hybrid_index, 0, p.cons_length - 1,
                "0 to " + std::to_string(p.cons_length - 1) + " (K-1)");
    }
    c.flag(Item::ber_present, p.ber_present);
    if (p.ber_present == 1) {
        c.range(Item::ber_period, p.ber_period, 1, 32, "1 to 32 (BER_RATE is 2^BP - 1)");
    }
    // Within the ranges above only the BER delay line, about 4 x TB long, can
    // leave the 32-bit range.
    if (c.problems.empty()) {
        const Derivation derivation = derive_values(p);
        if (derivation.overflow) {
            c.add(Item::tb_length, 0, std::to_string(p.tb_length),
                  "a length that keeps " + derivation.overflow->name + " (here " +
                      std::to_string(derivation.overflow->value) +
                      ") within the 32-bit integer range");
        }
    }
    return c.problems;
}

void validate_user_params(const UserParamsReading& reading) {
    const auto refuse = [](const std::string& text) {
        throw FatalError(std::string("trellgen: ") + user_params_file_name + ": " + text + "\n",
                         refused_input_status);
    };
    if (reading.out_of_range) {
        refuse(reading.out_of_range->item + " " + reading.out_of_range->text +
               ": accepted: a number within the 32-bit integer range");
    }
    const std::vector<Problem> problems = check(reading.params);
    if (!problems.empty()) {
        refuse(problems.front().text());
    }
}

} // namespace ipgen::viterbi
