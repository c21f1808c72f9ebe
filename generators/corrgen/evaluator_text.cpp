#include "generators/corrgen/evaluator_text.hpp"

#include "generators/common/concat.hpp"

namespace ipgen::rs {

std::string numbered(const char* name, int i) {
    return name + std::to_string(i);
}

void write_term_list(TextSink& out, const char* name, int first, int last) {
    for (int i = first; i <= last; i += 2) {
        out.write(concat(name, i, i == last || i == last - 1 ? " ;\n" : " ^ "));
    }
}

std::vector<std::string> numbered_range(const char* name, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) {
        names.push_back(numbered(name, i));
    }
    return names;
}

void write_clears(TextSink& out, std::string_view indent, const std::vector<std::string>& registers,
                  std::string_view value) {
    for (const std::string& name : registers) {
        out.write(indent);
        out.write(name);
        out.write(" <= ");
        out.write(value);
        out.write(" ;\n");
    }
}

std::vector<int> even_then_odd(int last) {
    std::vector<int> order;
    for (int i = 2; i <= last; i += 2) {
        order.push_back(i);
    }
    for (int i = 1; i <= last; i += 2) {
        order.push_back(i);
    }
    return order;
}

} // namespace ipgen::rs
