#include "generators/trellgen/user_params.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/input_file.hpp"
#include "generators/trellgen/c_scan.hpp"

#include <cmath>

namespace ipgen::viterbi {

std::uint32_t ber_rate_for(int ber_period) {
    const double rate = std::pow(2.0, ber_period) - 1.0;
    if (rate <= 0.0) {
        return 0;
    }
    if (rate >= 4294967295.0) {
        return 4294967295U;
    }
    return static_cast<std::uint32_t>(rate);
}

namespace {

// Walks through the file item by item, the way the formatted reads do.
class ItemReader {
  public:
    ItemReader(std::string_view bytes, UserParamsReading& reading)
        : bytes_(bytes), reading_(reading) {}

    // "%d\n" then the discard.
    void int_line(int& field, const std::string& name) {
        store(scan_int_line(bytes_, pos_), field, name);
    }

    // "%d" then the discard.
    void int_item(int& field, const std::string& name) {
        store(scan_int(bytes_, pos_), field, name);
    }

    // "%s" then the discard.
    void word_item(std::string& field) {
        ScannedWord word = scan_word(bytes_, pos_);
        if (word.converted) {
            field = std::move(word.word);
        }
        pos_ = discard_line(bytes_, word.next);
    }

    bool at_end() const { return pos_ >= bytes_.size(); }

  private:
    void store(const ScannedInt& number, int& field, const std::string& name) {
        if (number.converted) {
            field = static_cast<int>(number.value);
            if (number.out_of_range && !reading_.out_of_range) {
                reading_.out_of_range = OutOfRangeItem{name, number.text};
            }
        }
        pos_ = discard_line(bytes_, number.next);
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
    UserParamsReading& reading_;
};

} // namespace

UserParamsReading parse_user_params(std::string_view bytes) {
    UserParamsReading reading;
    ViterbiUserParams& p = reading.params;
    ItemReader in(bytes, reading);

    in.int_line(p.cons_length, item::cons_length);
    in.int_line(p.code_rate, item::code_rate);
    // One line per polynomial. Lines past the third are read and dropped
    // (such a file is refused later); at the end of the file every further
    // read would fail anyway, so a huge count stops there.
    for (int i = 0; i < p.code_rate && !in.at_end(); ++i) {
        int polynomial = 0;
        in.int_line(polynomial, item::polynomial + std::to_string(i));
        if (i < max_polynomials) {
            p.gp[static_cast<std::size_t>(i)] = polynomial;
        }
    }
    in.int_line(p.soft_decision, item::soft_decision);
    if (p.soft_decision == 1) {
        in.int_line(p.soft_width, item::soft_width);
        in.int_line(p.sdd_unsigned, item::sdd_unsigned);
    }
    in.int_line(p.punctured, item::punctured);
    if (p.punctured == 1) {
        in.int_line(p.pb_size, item::pb_size);
        in.word_item(p.pp0);
        in.word_item(p.pp1);
    }
    in.int_item(p.tb_length, item::tb_length);
    in.int_item(p.hybrid, item::hybrid);
    if (p.hybrid == 1) {
        in.int_item(p.hybrid_index, item::hybrid_index);
    } else {
        p.hybrid_index = 0;
    }
    in.int_item(p.ber_present, item::ber_present);
    if (p.ber_present == 1) {
        in.int_item(p.ber_period, item::ber_period);
        p.ber_rate = ber_rate_for(p.ber_period);
    }
    return reading;
}

std::string user_params_text(const ViterbiUserParams& p) {
    std::string text;
    const auto line = [&](const std::string& value, const std::string& comment) {
        text += value + "  // " + comment + "\n";
    };
    const auto number = [&](int value, const std::string& comment) {
        line(std::to_string(value), comment);
    };
    number(p.cons_length, "constraint length K");
    number(p.code_rate, "number of generator polynomials n (code rate 1/n)");
    for (int i = 0; i < p.code_rate && i < max_polynomials; ++i) {
        number(p.gp[static_cast<std::size_t>(i)],
               "generator polynomial " + std::to_string(i) + ", octal");
    }
    number(p.soft_decision, "soft decision (1) or hard decision (0)");
    if (p.soft_decision == 1) {
        number(p.soft_width, "soft width: bits per soft symbol");
        number(p.sdd_unsigned, "soft symbols unsigned (1) or signed (0)");
    }
    number(p.punctured, "punctured (1) or not (0)");
    if (p.punctured == 1) {
        number(p.pb_size, "puncture block size");
        line(p.pp0, "puncture pattern of symbol 0");
        line(p.pp1, "puncture pattern of symbol 1");
    }
    number(p.tb_length, "traceback length");
    number(p.hybrid, "hybrid (1) or fully parallel (0)");
    if (p.hybrid == 1) {
        number(p.hybrid_index, "hybrid index");
    }
    number(p.ber_present, "BER monitor present (1) or not (0)");
    if (p.ber_present == 1) {
        number(p.ber_period, "BER period exponent");
    }
    return text;
}

UserParamsReading read_user_params(const std::string& path) {
    const InputText text = read_input_file(path, max_user_params_size);
    if (!text.ok()) {
        throw FatalError("Error ! viterbi_params.v not existed\n", -1);
    }
    return parse_user_params(text.text);
}

} // namespace ipgen::viterbi
