#include "rs_common/xor_equation.hpp"

#include <vector>

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
    // A term appears in up to m equations: name each column once, then copy.
    std::vector<std::string> names(static_cast<size_t>(matrix.last_term + 1));
    for (int c = 0; c <= matrix.last_term; ++c) {
        StringSink name;
        term(name, c);
        names[static_cast<size_t>(c)] = name.take();
    }
    const TermWriter named = [&names](TextSink& sink, int column) {
        sink.write(names[static_cast<size_t>(column)]);
    };
    for (int j = 0; j < matrix.m; ++j) {
        out.print("assign %s[%lld] = ", target.name.c_str(),
                  static_cast<long long>(target.offset + j));
        write_xor_terms(out, matrix, j, named);
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
