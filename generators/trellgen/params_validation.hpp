// The checks between reading viterbi_params.v and writing parameters.v: a
// value outside the range the decoder core is built for is refused with one
// line naming the item, its value and what is accepted, and exit status 2,
// before parameters.v is created.
#pragma once

#include "generators/trellgen/user_params.hpp"

#include <string>
#include <vector>

namespace ipgen::viterbi {

inline constexpr int refused_input_status = 2;

// The items of viterbi_params.v a value check can concern, in file order.
enum class Item {
    cons_length,
    code_rate,
    polynomial, // Problem::index tells which
    soft_decision,
    soft_width,
    sdd_unsigned,
    punctured,
    pb_size,
    pp0,
    pp1,
    tb_length,
    hybrid,
    hybrid_index,
    ber_present,
    ber_period,
};

// One refused value: the item (and polynomial index), the value as the
// message shows it, and what the item accepts.
struct Problem {
    Item item = Item::cons_length;
    int index = 0;
    std::string value;
    std::string accepted;

    // "constraint length", "polynomial GP1", ... as the messages name them.
    std::string item_name() const;
    // "<item> <value>: accepted: <accepted>"
    std::string text() const;
};

// Every value of the record that the decoder core cannot be built with, in
// file order. The device class must be filled in. Checks that depend on an
// earlier value (the polynomials on K, the patterns on PB, the BER delay
// line on all) are made only when that value passed.
std::vector<Problem> check(const ViterbiUserParams& params);

// Checks the record read from the file, with its device class filled in.
// Throws FatalError (status 2) for the first value refused, in file order:
// "trellgen: viterbi_params.v: <problem text>".
void validate_user_params(const UserParamsReading& reading);

} // namespace ipgen::viterbi
