// Runs the integer model on a text description read from standard input,
// for the numpy cross-check (fir_model_check.py):
//   line 1: the fourteen values of user_params.txt, in file order
//           (the first, the tap width, is ignored as firgen ignores it),
//           then optionally the channels and the coefficient sets, then
//           optionally 1 for results clamped (saturate) instead of wrapped
//   then one event per line: "s RE IM [CHANNEL SET]" (a sample) or
//   "c RE0 IM0 RE1 IM1 ..." (a coefficient set) or "k SET RE0 IM0 ..." (a
//   set loaded into set SET); sets before any sample are the initial ones.
// Writes one line "RE IM" per output word, "RE IM CHANNEL" with channels,
// then the clamp flag with saturate.
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
    const bool tagged = static_cast<bool>(head >> c.channels >> c.coeff_sets);
    int saturate = 0;
    c.saturate = tagged && (head >> saturate) && saturate != 0;
    c.filter_type = type;
    c.loadable = load != 0;
    c.nearest = round != 0;
    c.is_unsigned = arith != 0;
    c.is_complex = data != 0;
    c.serial = mode != 0;
    std::vector<CoeffSet> initial(c.coeff_sets, CoeffSet(c.num_coeffs()));
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
            in >> e.channel >> e.set_index;
        } else {
            e.is_set = true;
            if (kind == "k") {
                in >> e.set_index;
            }
            Value v;
            while (in >> v.re >> v.im) {
                e.set.push_back(v);
            }
        }
        if (e.is_set && events.empty()) {
            initial.at(e.set_index) = e.set;
        } else {
            events.push_back(e);
        }
    }
    for (const Result& r : run_model_sets(c, initial, events)) {
        std::cout << static_cast<std::uint64_t>(r.value.re) << ' '
                  << static_cast<std::uint64_t>(r.value.im);
        if (tagged) {
            std::cout << ' ' << r.channel;
        }
        if (c.saturate) {
            std::cout << ' ' << (r.value.clamped ? 1 : 0);
        }
        std::cout << '\n';
    }
    return 0;
}
