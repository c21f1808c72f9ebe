// Runs the integer model on a text description read from standard input,
// for the numpy cross-check (fir_model_check.py):
//   line 1: the fourteen values of user_params.txt, in file order
//           (the first, the tap width, is ignored as firgen ignores it),
//           then optionally 1 for results clamped (saturate) instead of wrapped
//   then one event per line: "s RE IM" (a sample) or "c RE0 IM0 RE1 IM1 ..."
//   (a coefficient set); the first set, when it comes before any sample,
//   is the initial one.
// Writes one line "RE IM" per output word; with saturate "RE IM CLAMPED".
#include "cores/fir/fir_model.hpp"

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

int main() {
    using namespace ipgen::fir;
    FirConfig c;
    int ignored = 0, type = 0, load = 0, round = 0, arith = 0, data = 0, mode = 0;
    std::string first;
    std::getline(std::cin, first);
    std::istringstream head(first);
    head >> ignored >> c.width >> c.taps >> c.out_width >> type >> load >> c.symmetry >> round >>
        arith >> data >> c.cycles >> c.deci >> c.inter >> mode;
    int saturate = 0;
    c.saturate = (head >> saturate) && saturate != 0;
    c.filter_type = type;
    c.loadable = load != 0;
    c.nearest = round != 0;
    c.is_unsigned = arith != 0;
    c.is_complex = data != 0;
    c.serial = mode != 0;
    CoeffSet initial(c.num_coeffs());
    std::vector<Event> events;
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string kind;
        if (!(in >> kind)) {
            continue;
        }
        Event e;
        if (kind == "s") {
            in >> e.sample.re >> e.sample.im;
        } else {
            e.is_set = true;
            Value v;
            while (in >> v.re >> v.im) {
                e.set.push_back(v);
            }
        }
        if (e.is_set && events.empty()) {
            initial = e.set;
        } else {
            events.push_back(e);
        }
    }
    for (const Value& v : run_model(c, initial, events)) {
        std::cout << static_cast<std::uint64_t>(v.re) << ' ' << static_cast<std::uint64_t>(v.im);
        if (c.saturate) {
            std::cout << ' ' << (v.clamped ? 1 : 0);
        }
        std::cout << '\n';
    }
    return 0;
}
