#include "generators/paritygen/multiplier.hpp"

#include "generators/paritygen/shared_terms.hpp"
#include "generators/rs_common/xor_equation.hpp"

#include <cstring>
#include <string>

namespace ipgen::rsenc {

namespace {

int coefficient_count(const std::vector<int>& gen_poly_log) {
    // The generator is monic: g_r = 1 needs no multiplier.
    return static_cast<int>(gen_poly_log.size()) - 1;
}

// The bits of mult_out that coefficient i's product drives: g_0 the most
// significant slice, g_(r-1) bits 0 .. m-1.
rs::BusSlice product_slice(int i, int r, int m) {
    return rs::BusSlice{"mult_out", static_cast<std::int64_t>(r - 1 - i) * m};
}

// The name of each column of coefficient i's matrix: an input bit
// mult_in[c] below m, else the wire g_<i>_<c>.
rs::TermNames shared_term_names(int i, const SharedTerms& terms) {
    const int m = terms.matrix.m;
    rs::TermNames names;
    names.reserve(static_cast<size_t>(terms.matrix.last_term + 1), std::strlen("g_1024_100"));
    const std::string wire_prefix = "g_" + std::to_string(i) + "_";
    for (int c = 0; c <= terms.matrix.last_term; ++c) {
        if (c < m) {
            names.add_bit("mult_in", c);
        } else {
            names.add_numbered(wire_prefix, c);
        }
    }
    return names;
}

void write_shared_slice(TextSink& wires, TextSink& assigns, const rs::GaloisField& field, int i,
                        int exponent, const rs::BusSlice& target) {
    const int m = field.m;
    if (exponent < 0) {
        // A zero coefficient: constant-zero outputs, no empty lines after them.
        for (int j = 0; j < m; ++j) {
            assigns.print("assign %s[%lld] = 0 ;\n", target.name.c_str(),
                          static_cast<long long>(target.offset + j));
        }
        return;
    }
    const SharedTerms terms = extract_shared_terms(rs::fill_const_columns(field, exponent), m);
    const rs::TermNames names = shared_term_names(i, terms);
    // Both blocks are pieced together in place, in strings of their exact
    // size: "wire <name> ;" and "assign <name> = <left> ^ <right> ; ".
    std::size_t wire_size = 0;
    std::size_t term_size = 0;
    for (int c = m; c <= terms.matrix.last_term; ++c) {
        const auto column = static_cast<size_t>(c);
        wire_size += std::strlen("wire  ;\n") + names[column].size();
        term_size += std::strlen("assign  =  ^  ; \n") + names[column].size() +
                     names[static_cast<size_t>(terms.left_operand[column])].size() +
                     names[static_cast<size_t>(terms.right_operand[column])].size();
    }
    std::string wire_lines(wire_size, ' ');
    std::string term_lines(term_size, ' ');
    char* wire_end = wire_lines.data();
    char* term_end = term_lines.data();
    const auto put = [](char*& end, std::string_view part) {
        std::memcpy(end, part.data(), part.size());
        end += part.size();
    };
    for (int c = m; c <= terms.matrix.last_term; ++c) {
        const auto column = static_cast<size_t>(c);
        const std::string_view name = names[column];
        put(wire_end, "wire ");
        put(wire_end, name);
        put(wire_end, " ;\n");
        put(term_end, "assign ");
        put(term_end, name);
        put(term_end, " = ");
        put(term_end, names[static_cast<size_t>(terms.left_operand[column])]);
        put(term_end, " ^ ");
        put(term_end, names[static_cast<size_t>(terms.right_operand[column])]);
        put(term_end, " ; \n");
    }
    wires.write(wire_lines);
    assigns.write(term_lines);
    assigns.write("\n\n");
    rs::write_xor_equations(assigns, terms.matrix, target, names);
    assigns.write("\n\n");
}

} // namespace

void write_module_head(TextSink& out) {
    out.write("`timescale 1ns/1ns\n"
              "\n"
              "\n"
              "`include \"rsenc_params.v\"\n"
              "\n"
              "\n"
              "module multiplier(\n"
              "             mult_out,\n"
              "             mult_in\n"
              "                );\n"
              "// input ports\n"
              "input  [`INPUT_DATA_WIDTH-1:0] mult_in;\n"
              "\n"
              "\n"
              "// output ports\n"
              "output  [`REMAINDER_WIDTH-1:0] mult_out;\n"
              "\n"
              "\n");
}

void write_plain_slices(TextSink& out, const rs::GaloisField& field,
                        const std::vector<int>& gen_poly_log) {
    const int r = coefficient_count(gen_poly_log);
    const rs::BusSlice input{"mult_in", 0};
    for (int i = 0; i < r; ++i) {
        rs::write_constant_multiplier(out, field, gen_poly_log[static_cast<size_t>(i)],
                                      product_slice(i, r, field.m), input);
    }
}

void write_shared_slices(TextSink& wires, TextSink& assigns, const rs::GaloisField& field,
                         const std::vector<int>& gen_poly_log) {
    const int r = coefficient_count(gen_poly_log);
    for (int i = 0; i < r; ++i) {
        write_shared_slice(wires, assigns, field, i, gen_poly_log[static_cast<size_t>(i)],
                           product_slice(i, r, field.m));
    }
}

void write_module_end(TextSink& out) {
    out.write("\n"
              "\n"
              "endmodule\n");
}

void write_multiplier_plain(TextSink& out, const rs::GaloisField& field,
                            const std::vector<int>& gen_poly_log) {
    write_module_head(out);
    write_plain_slices(out, field, gen_poly_log);
    write_module_end(out);
}

void write_multiplier_shared(TextSink& multiplier, TextSink& temp, const rs::GaloisField& field,
                             const std::vector<int>& gen_poly_log) {
    multiplier.write("\n\n");
    write_module_head(multiplier);
    temp.write("\n\n");
    write_shared_slices(multiplier, temp, field, gen_poly_log);
}

} // namespace ipgen::rsenc
