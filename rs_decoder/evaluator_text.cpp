#include "rs_decoder/evaluator_text.hpp"

namespace ipgen::rs {

std::string numbered(const char* name, int i) {
    return name + std::to_string(i);
}

void write_term_list(TextSink& out, const char* name, int first, int last) {
    for (int i = first; i <= last; i += 2) {
        out.print(i == last || i == last - 1 ? "%s%d ;\n" : "%s%d ^ ", name, i);
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
