#include "rs_decoder/xor_equation.hpp"

namespace ipgen::rs {

void write_xor_terms(TextSink& out, const MultMatrix& matrix, int row, const TermWriter& term) {
    bool first = true;
    for (int c = 0; c <= matrix.last_term; ++c) {
        if (!matrix.bit(row, c)) {
            continue;
        }
        if (!first) {
            out.write(" ^ ");
        }
        term(out, c);
        first = false;
    }
    if (first) {
        out.write("0 ");
    }
    out.write(" ;\n");
}

TermWriter bus_terms(const BusSlice& source, const MultMatrix& matrix) {
    return [&source, &matrix](TextSink& out, int column) {
        out.print(
            "%s[%lld]", source.name.c_str(),
            static_cast<long long>(source.offset + matrix.term_index[static_cast<size_t>(column)]));
    };
}

void write_xor_equations(TextSink& out, const MultMatrix& matrix, const BusSlice& target,
                         const TermWriter& term) {
    for (int j = 0; j < matrix.m; ++j) {
        out.print("assign %s[%lld] = ", target.name.c_str(),
                  static_cast<long long>(target.offset + j));
        write_xor_terms(out, matrix, j, term);
    }
}

void write_constant_multiplier(TextSink& out, const GaloisField& field, std::int64_t exponent,
                               const BusSlice& target, const BusSlice& source) {
    if (exponent < 0) {
        for (int j = 0; j < field.m; ++j) {
            out.print("assign %s[%lld] = 0 ;\n", target.name.c_str(),
                      static_cast<long long>(target.offset + j));
        }
    } else {
        const MultMatrix matrix = constant_multiplier_matrix(field, exponent);
        out.write("\n\n");
        write_xor_equations(out, matrix, target, bus_terms(source, matrix));
    }
    out.write("\n\n");
}

} // namespace ipgen::rs
