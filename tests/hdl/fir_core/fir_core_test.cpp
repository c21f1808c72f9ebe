// The FIR filter core of cores/fir over a matrix of configurations: every
// filter type, every symmetry with odd and even lengths, signed and
// unsigned data, both roundings, real and both complex port modes, fixed
// and loadable coefficients (reloaded mid-stream). For each, ipgen writes
// the core folder; its parameters.v must be firgen's, its vectors what the
// integer model (the one checked against numpy) gives; its testbench drives
// fir_axis with random gaps and back-pressure and must print PASS;
// Verilator's lint must be clean.
#include "cores/fir/fir_constant_network.hpp"
#include "cores/fir/fir_model.hpp"
#include "hdl_tools.hpp"
#include "model_beats.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <sstream>

namespace ipgen::hdl {
namespace {

using fir::CoeffSet;
using fir::Event;
using fir::FirConfig;
using fir::Value;

struct CoreCase {
    const char* name;
    FirConfig config;
    int samples = 120;
    // coefficient packets of wrong lengths (short and long) among the good
    // ones: the core drops them and keeps its set, so the expected results
    // stay those of the good packets alone
    bool bad_packets = false;
    // --multipliers constant: the products of the fixed set by one shared
    // network of adders (fir_constant_sum.v), summed in a transposed chain
    bool constant = false;
    // the first coefficient set (real), instead of a random one
    std::vector<std::int64_t> coeffs = {};
};

void PrintTo(const CoreCase& c, std::ostream* os) {
    *os << c.name;
}

FirConfig make(int width, int taps, int out_width, int type, int symmetry, bool nearest,
               bool is_unsigned) {
    FirConfig c;
    c.width = width;
    c.taps = taps;
    c.out_width = out_width;
    c.filter_type = type;
    c.symmetry = symmetry;
    c.nearest = nearest;
    c.is_unsigned = is_unsigned;
    return c;
}

FirConfig with(FirConfig c, int cycles, int deci, int inter) {
    c.cycles = cycles;
    c.deci = deci;
    c.inter = inter;
    return c;
}

FirConfig complex_in(FirConfig c, bool serial) {
    c.is_complex = true;
    c.serial = serial;
    return c;
}

FirConfig loadable(FirConfig c) {
    c.loadable = true;
    return c;
}

FirConfig saturating(FirConfig c) {
    c.saturate = true;
    return c;
}

FirConfig samples(FirConfig c, int per_clock) {
    c.samples_per_clock = per_clock;
    return c;
}

FirConfig channels(FirConfig c, int count, int sets) {
    c.channels = count;
    c.coeff_sets = sets;
    return c;
}

using fir::antisymmetric;
using fir::decimation;
using fir::interpolation;
using fir::multi_cycle;
using fir::nonsymmetric;
using fir::single_cycle;
using fir::symmetric;

const CoreCase core_cases[] = {
    {"single_defaults", make(8, 6, 19, single_cycle, nonsymmetric, false, false)},
    {"single_sym_odd_nearest", make(8, 11, 12, single_cycle, symmetric, true, false)},
    {"single_anti_even_unsigned", make(8, 10, 30, single_cycle, antisymmetric, false, true)},
    {"single_one_tap", make(8, 1, 10, single_cycle, nonsymmetric, true, false)},
    {"single_64_taps_six_adder_stages", make(4, 64, 20, single_cycle, nonsymmetric, true, false)},
    {"single_lowpass_31_16bit", make(16, 31, 16, single_cycle, symmetric, true, false)},
    // 32-bit parts: products and sums beyond 64 bits in the model
    {"single_32bit_sym_64out", make(32, 9, 64, single_cycle, symmetric, true, false)},
    {"deci_29bit_complex",
     complex_in(with(make(29, 9, 30, decimation, nonsymmetric, false, false), 1, 3, 1), false)},
    {"multi_sym_odd", with(make(16, 11, 40, multi_cycle, symmetric, false, false), 3, 1, 1)},
    {"multi_padded_nearest",
     with(make(8, 10, 12, multi_cycle, nonsymmetric, true, false), 3, 1, 1)},
    {"multi_anti_odd_unsigned",
     with(make(10, 9, 18, multi_cycle, antisymmetric, true, true), 2, 1, 1)},
    {"deci_even", with(make(8, 10, 20, decimation, nonsymmetric, false, false), 1, 4, 1)},
    {"deci_sym_odd_nearest", with(make(8, 9, 15, decimation, symmetric, true, false), 1, 3, 1)},
    {"deci_anti_unsigned", with(make(8, 9, 25, decimation, antisymmetric, false, true), 1, 2, 1)},
    // a ratio of 1, which firgen keeps: one result per sample
    {"deci_ratio_one", with(make(8, 6, 19, decimation, nonsymmetric, false, false), 1, 1, 1)},
    {"inter_ratio_one_sym_nearest",
     with(make(8, 7, 14, interpolation, symmetric, true, false), 1, 1, 1)},
    {"inter_even", with(make(8, 10, 20, interpolation, nonsymmetric, false, false), 1, 1, 4)},
    {"inter_anti_odd_nearest",
     with(make(8, 7, 13, interpolation, antisymmetric, true, false), 1, 1, 3)},
    {"inter_sym_even_unsigned",
     with(make(8, 8, 22, interpolation, symmetric, false, true), 1, 1, 2)},
    {"complex_para_single",
     complex_in(make(8, 6, 20, single_cycle, nonsymmetric, false, false), false)},
    {"complex_seri_single_sym",
     complex_in(make(8, 7, 12, single_cycle, symmetric, true, false), true)},
    {"complex_para_multi_anti",
     complex_in(with(make(6, 9, 30, multi_cycle, antisymmetric, false, false), 2, 1, 1), false)},
    {"complex_seri_deci_sym",
     complex_in(with(make(6, 8, 12, decimation, symmetric, true, false), 1, 3, 1), true)},
    {"complex_para_inter_unsigned",
     complex_in(with(make(6, 8, 18, interpolation, nonsymmetric, false, true), 1, 1, 3), false)},
    {"load_single", loadable(make(8, 6, 19, single_cycle, nonsymmetric, false, false))},
    {"load_multi_anti",
     loadable(with(make(8, 10, 24, multi_cycle, antisymmetric, false, false), 4, 1, 1))},
    {"load_deci_nearest",
     loadable(with(make(8, 10, 14, decimation, nonsymmetric, true, false), 1, 3, 1))},
    {"load_inter_sym_odd",
     loadable(with(make(8, 9, 20, interpolation, symmetric, false, false), 1, 1, 2))},
    {"load_complex_seri_multi",
     loadable(
         complex_in(with(make(8, 5, 20, multi_cycle, nonsymmetric, false, false), 2, 1, 1), true))},
    {"load_complex_para_single_anti",
     loadable(complex_in(make(8, 5, 16, single_cycle, antisymmetric, true, false), false))},
    {"load_bad_packets_single_sym", loadable(make(8, 7, 18, single_cycle, symmetric, false, false)),
     120, true},
    {"load_bad_packets_deci",
     loadable(with(make(8, 8, 20, decimation, nonsymmetric, false, false), 1, 2, 1)), 120, true},
    // one result per clock in, two beats per result out: with long
    // m_axis_tready stalls the result queue fills, and only the room check
    // keeps results from being lost
    {"complex_seri_inter_full_queue",
     complex_in(with(make(8, 8, 19, interpolation, nonsymmetric, false, false), 1, 1, 4), true)},
    // constant multipliers: symmetric 16-bit (the demo's shape), antisymmetric
    // unsigned, non-symmetric rounded, 32-bit parts (products beyond 64 bits)
    {"const_sym_odd_16bit", make(16, 31, 24, single_cycle, symmetric, true, false), 120, false,
     true},
    {"const_anti_odd_unsigned", make(8, 9, 20, single_cycle, antisymmetric, false, true), 120,
     false, true},
    {"const_none_even_nearest", make(6, 12, 9, single_cycle, nonsymmetric, true, false), 120, false,
     true},
    {"const_32bit_sym_even", make(32, 8, 64, single_cycle, symmetric, false, false), 120, false,
     true},
    // the 64-tap low-pass of the README's figures; and fundamentals taken
    // with both signs, subtracted inside the network (1021 = 1024 - 3, 819)
    // and in the chain, so both a register and its complement are needed
    {"const_lowpass64",
     make(16, 64, 39, single_cycle, symmetric, false, false),
     120,
     false,
     true,
     {-42,  -107, -120,  -58,   69,    203,   248,   126,   -153,  -445, -535,
      -264, 313,  889,   1041,  502,   -583,  -1630, -1883, -900,  1039, 2902,
      3368, 1628, -1917, -5520, -6710, -3477, 4554,  15605, 26248, 32767}},
    {"const_both_signs_nearest",
     make(12, 12, 16, single_cycle, nonsymmetric, true, false),
     120,
     false,
     true,
     {-3, 3, 5, -5, 7, -7, 1021, -1021, 819, -819, 48, -20}},
    // saturation: unsigned results rounded up past the largest value of a
    // one-bit output are clamped (the largest coefficients make sure the
    // rows' vectors hold such results); complex serial: the flag on both
    // beats
    {"sat_unsigned_nearest",
     saturating(make(6, 1, 1, single_cycle, nonsymmetric, true, true)),
     120,
     false,
     false,
     {63}},
    {"sat_const_unsigned",
     saturating(make(5, 2, 1, single_cycle, nonsymmetric, true, true)),
     120,
     false,
     true,
     {31, 31}},
    {"sat_load_single_unsigned",
     saturating(loadable(make(6, 1, 1, single_cycle, nonsymmetric, true, true))),
     120,
     false,
     false,
     {63}},
    // the flag above the channel index, and one flag for P results a beat
    {"sat_chan2_unsigned",
     channels(saturating(make(6, 1, 1, single_cycle, nonsymmetric, true, true)), 2, 1),
     120,
     false,
     false,
     {63}},
    {"sat_p2_unsigned",
     samples(saturating(make(6, 1, 1, single_cycle, nonsymmetric, true, true)), 2),
     120,
     false,
     false,
     {63}},
    {"sat_complex_seri_single",
     saturating(complex_in(make(6, 5, 4, single_cycle, symmetric, true, false), true))},
    // Interleaved channels (samples out of order among them, dropped and
    // flagged) and coefficient sets chosen per sample, fixed and reloaded.
    {"chan3_single_sym_odd", channels(make(8, 7, 18, single_cycle, symmetric, true, false), 3, 1)},
    {"chan4_sets2_load_complex_seri_multi",
     channels(loadable(complex_in(
                  with(make(8, 5, 20, multi_cycle, antisymmetric, false, false), 2, 1, 1), true)),
              4, 2)},
    {"chan2_sets3_inter_unsigned",
     channels(with(make(8, 8, 20, interpolation, nonsymmetric, false, true), 1, 1, 3), 2, 3)},
    // (eight channels' results reserved at a block's first round: more than
    // one channel's queue holds)
    {"chan8_sets2_load_deci5_sym_nearest",
     channels(loadable(with(make(8, 9, 14, decimation, symmetric, true, false), 1, 5, 1)), 8, 2)},
    {"sets4_load_deci_nearest",
     channels(loadable(with(make(8, 9, 16, decimation, symmetric, true, false), 1, 3, 1)), 1, 4)},
    // several samples per clock: P lanes on one shift line
    {"p4_single_sym_odd", samples(make(6, 7, 12, single_cycle, symmetric, true, false), 4)},
    {"p3_sets2_load_complex_anti",
     channels(samples(loadable(complex_in(make(5, 6, 9, single_cycle, antisymmetric, false, false),
                                          false)),
                      3),
              1, 2)},
    // decimation: P polyphase lanes, their sums added into one result per D/P beats
    {"deci_d4_p2_sets2_load",
     channels(
         samples(loadable(with(make(8, 10, 20, decimation, nonsymmetric, false, false), 1, 4, 1)),
                 2),
         1, 2)},
    {"deci_d6_p3_sym_complex_nearest",
     samples(complex_in(with(make(6, 13, 12, decimation, symmetric, true, false), 1, 6, 1), false),
             3)},
    {"p8_one_tap_unsigned", samples(make(4, 1, 7, single_cycle, nonsymmetric, false, true), 8)},
    {"chan64_sets16_single_complex",
     channels(complex_in(make(6, 3, 14, single_cycle, nonsymmetric, false, false), false), 64, 16)},
};

// Random values of `width` bits, the extremes of the range favoured.
class Values {
  public:
    explicit Values(unsigned seed) : rng_(seed) {}
    std::int64_t next(int width, bool is_signed) {
        const std::int64_t lo = is_signed ? -(std::int64_t{1} << (width - 1)) : 0;
        const std::int64_t hi =
            is_signed ? (std::int64_t{1} << (width - 1)) - 1 : (std::int64_t{1} << width) - 1;
        switch (rng_() % 6) {
        case 0:
            return lo;
        case 1:
            return hi;
        default:
            return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng_);
        }
    }
    Value value(const FirConfig& c, bool is_signed) {
        Value v{next(c.width, is_signed), 0};
        if (c.is_complex) {
            v.im = next(c.width, is_signed);
        }
        return v;
    }
    std::vector<CoeffSet> sets(const FirConfig& c) {
        std::vector<CoeffSet> all;
        for (int s = 0; s < c.coeff_sets; ++s) {
            all.push_back(set(c));
        }
        return all;
    }
    CoeffSet set(const FirConfig& c) {
        CoeffSet s;
        for (int k = 0; k < c.num_coeffs(); ++k) {
            s.push_back(value(c, c.signed_coeffs()));
        }
        return s;
    }
    bool chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }

  private:
    std::mt19937 rng_;
};

const char* const filter_names[] = {"single-cycle", "multi-cycle", "decimation", "interpolation"};
const char* const symmetry_names[] = {"none", "symmetric", "antisymmetric"};

// ipgen's options for a configuration and a coefficient set.
std::vector<std::string> ipgen_args(const FirConfig& c, const std::vector<CoeffSet>& sets,
                                    bool constant) {
    std::string coeffs;
    for (const CoeffSet& set : sets) {
        for (const Value& v : set) {
            coeffs += (coeffs.empty() ? "" : ",") + std::to_string(v.re) +
                      (c.is_complex ? "," + std::to_string(v.im) : "");
        }
    }
    return {"fir",
            "--coeff-width",
            std::to_string(c.width),
            "--taps",
            std::to_string(c.taps),
            "--output-width",
            std::to_string(c.out_width),
            "--filter-type",
            filter_names[c.filter_type],
            c.loadable ? "--loadable" : "--no-loadable",
            "--symmetry",
            symmetry_names[c.symmetry],
            "--rounding",
            c.nearest ? "nearest" : "truncation",
            "--arithmetic",
            c.is_unsigned ? "unsigned" : "signed",
            "--data-type",
            c.is_complex ? "complex" : "real",
            "--cycles",
            std::to_string(c.cycles),
            "--decimation",
            std::to_string(c.deci),
            "--interpolation",
            std::to_string(c.inter),
            "--complex-input",
            c.serial ? "serial" : "parallel",
            "--multipliers",
            constant ? "constant" : "general",
            "--overflow",
            c.saturate ? "saturate" : "wrap",
            "--coeffs",
            coeffs,
            "--channels",
            std::to_string(c.channels),
            "--coeff-sets",
            std::to_string(c.coeff_sets),
            "--samples-per-clock",
            std::to_string(c.samples_per_clock),
            "--out",
            "core"};
}

std::vector<std::uint64_t> hex_lines(const std::string& path) {
    std::vector<std::uint64_t> values;
    std::istringstream lines(test::read_file(path));
    for (std::string line; std::getline(lines, line);) {
        values.push_back(std::stoull(line, nullptr, 16));
    }
    return values;
}

std::int64_t field(std::uint64_t word, int low, int width, bool is_signed) {
    const std::uint64_t v = (word >> low) & ((std::uint64_t{1} << width) - 1);
    return is_signed && (v >> (width - 1)) != 0
               ? static_cast<std::int64_t>(v) - (std::int64_t{1} << width)
               : static_cast<std::int64_t>(v);
}

// Coefficient packets of wrong lengths put into the folder's tb_in.hex: a
// lone last word before the first set, one word more than a set before the
// second, and among the samples after the impulse two sets' worth in one
// packet (a core counting words modulo the set length would take it) and
// one word short. Their words are random, so a core taking any of them
// gives other results than the good sets alone.
void add_bad_packets(const std::string& folder, const FirConfig& c, Values& values) {
    const int w = c.width;
    const int dw = c.is_complex ? 2 * w : w;
    const int n = c.num_coeffs();
    const auto packet = [&](int length) {
        std::vector<std::string> beats;
        for (int k = 0; k < length; ++k) {
            const Value v = values.value(c, c.signed_coeffs());
            const std::uint64_t mask = (std::uint64_t{1} << w) - 1;
            std::uint64_t word = static_cast<std::uint64_t>(v.re) & mask;
            if (c.is_complex) {
                word |= (static_cast<std::uint64_t>(v.im) & mask) << w;
            }
            word |= std::uint64_t{k + 1 == length ? 3u : 2u} << dw;
            std::ostringstream hex;
            hex << std::hex << word;
            beats.push_back(hex.str());
        }
        return beats;
    };
    std::vector<std::string> lines;
    std::istringstream in(test::read_file(folder + "/tb_in.hex"));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    const auto is_coef = [&](const std::string& line) {
        return (std::stoull(line, nullptr, 16) >> (dw + 1)) != 0;
    };
    std::vector<std::string> out;
    int sets = 0;
    int samples = 0;
    bool in_set = false;
    for (const std::string& line : lines) {
        const bool coef = is_coef(line);
        if (coef && !in_set) {
            const auto bad = packet(sets == 0 ? 1 : n + 1);
            out.insert(out.end(), bad.begin(), bad.end());
            ++sets;
        }
        if (!coef && ++samples == c.taps + 8) {
            for (const int length : {2 * n, n - 1}) {
                const auto bad = packet(std::max(length, 1));
                out.insert(out.end(), bad.begin(), bad.end());
            }
        }
        in_set = coef && (std::stoull(line, nullptr, 16) >> dw & 1) == 0;
        out.push_back(line);
    }
    ASSERT_EQ(sets, 2);
    std::string text;
    for (const std::string& line : out) {
        text += line + "\n";
    }
    test::write_file(folder + "/tb_in.hex", text);
    std::string config = test::read_file(folder + "/tb_config.vh");
    const std::string key = "`define TB_IN_BEATS ";
    const size_t at = config.find(key);
    ASSERT_NE(at, std::string::npos);
    const size_t end = config.find('\n', at);
    config.replace(at, end - at, key + std::to_string(out.size()));
    test::write_file(folder + "/tb_config.vh", config);
}

struct Staged {
    std::vector<std::string> rtl; // the folder's compile-order list
    std::string testbench;
    std::string waivers; // the lint waivers, without their header line
};

// ipgen writes the folder into dir/core. Its input beats are read back
// into samples and coefficient sets, and its expected beats must be what
// the model gives for them.
Staged stage_core(const std::string& dir, const CoreCase& core) {
    const FirConfig& c = core.config;
    Values values(20 + c.taps);
    std::vector<CoeffSet> first = values.sets(c);
    if (!core.coeffs.empty()) {
        first.front().clear();
        for (const std::int64_t v : core.coeffs) {
            first.front().push_back({v, 0});
        }
    }
    const test::RunResult run =
        test::run_program(IPGEN_PATH, ipgen_args(c, first, core.constant), dir);
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const std::string folder = dir + "/core";
    EXPECT_TRUE(ipxact_validate(folder).ok) << ipxact_validate(folder).log;
    EXPECT_TRUE(test::model_gives_folder_vectors(IPGEN_PATH, ipgen_args(c, first, core.constant),
                                                 dir, folder));

    // firgen, run on the folder's user_params.txt and coefficient file,
    // writes the same parameters.v (and hex file).
    const std::string dec = c.is_complex ? "cin_cmplx.dec" : "cin.dec";
    test::TempDir firgen;
    for (const std::string& name : {std::string("user_params.txt"), dec}) {
        test::write_file(firgen.file(name), test::read_file(folder + "/" + name));
    }
    EXPECT_EQ(test::run_program(FIRGEN_PATH, {}, firgen.path()).exit_status, 0);
    std::vector<std::string> same = {"parameters.v"};
    if (!c.loadable) {
        same.push_back(c.is_complex ? "cin_cmplx.hex" : "cin.hex");
    }
    for (const std::string& name : same) {
        EXPECT_EQ(test::read_file(folder + "/" + name), test::read_file(firgen.file(name))) << name;
    }

    const int w = c.width;
    const int dw = c.is_complex ? 2 * w : w;
    // above the data: tuser {set, channel}, with channels the out-of-order
    // mark, then tlast and the coefficient-beat flag
    const int chw = c.channels > 1 ? std::bit_width(unsigned(c.channels - 1)) : 0;
    const int setw = c.coeff_sets > 1 ? std::bit_width(unsigned(c.coeff_sets - 1)) : 0;
    // P samples per beat, sample 0 lowest (a coefficient word in the low bits)
    const int lanes = c.samples_per_clock;
    const int dfw = lanes * dw;
    const int flags = dfw + chw + setw + (c.channels > 1 ? 1 : 0);
    std::vector<Event> events;
    CoeffSet loading;
    bool have_real_part = false;
    Value serial_sample;
    for (const std::uint64_t beat : hex_lines(folder + "/tb_in.hex")) {
        const std::int64_t re = field(beat, 0, w, c.signed_coeffs());
        const std::int64_t im = c.is_complex ? field(beat, w, w, c.signed_coeffs()) : 0;
        const int channel = chw > 0 ? static_cast<int>(field(beat, dfw, chw, false)) : 0;
        const int set = setw > 0 ? static_cast<int>(field(beat, dfw + chw, setw, false)) : 0;
        if ((beat >> (flags + 1)) != 0) {
            loading.push_back({re, im});
            if (((beat >> flags) & 1) != 0) {
                events.push_back(Event{true, {}, loading, 0, set});
                loading.clear();
            }
        } else if (c.is_complex && c.serial) {
            const std::int64_t part = field(beat, 0, w, !c.is_unsigned);
            (have_real_part ? serial_sample.im : serial_sample.re) = part;
            if (have_real_part) {
                events.push_back(Event{false, serial_sample, {}, channel, set});
            }
            have_real_part = !have_real_part;
        } else {
            for (int lane = 0; lane < lanes; ++lane) {
                events.push_back(
                    Event{false,
                          {field(beat, lane * dw, w, !c.is_unsigned),
                           c.is_complex ? field(beat, lane * dw + w, w, !c.is_unsigned) : 0},
                          {},
                          channel,
                          set});
            }
        }
    }
    EXPECT_EQ(c.loadable, events.front().is_set);
    EXPECT_EQ(c.loadable ? c.coeff_sets + 1 : 0,
              std::count_if(events.begin(), events.end(), [](const Event& e) { return e.is_set; }));
    if (c.channels > 1) {
        // some samples out of order among them
        int next = 0;
        int dropped = 0;
        for (const Event& e : events) {
            if (!e.is_set) {
                dropped += e.channel != next ? 1 : 0;
                next = e.channel != next ? next : (next + 1) % c.channels;
            }
        }
        EXPECT_GT(dropped, 0);
    }
    std::vector<std::uint64_t> expected;
    const int ow = c.out_width;
    const std::vector<CoeffSet> initial =
        c.loadable ? std::vector<CoeffSet>(c.coeff_sets, CoeffSet(c.num_coeffs())) : first;
    int lane_of_beat = 0;
    int clamped = 0;
    for (const fir::Result& result : fir::run_model_sets(c, initial, events)) {
        const Value& r = result.value;
        // m_axis_tuser on top
        const int data_bits = c.is_complex && c.serial ? ow + 1 : c.is_complex ? 2 * ow : ow;
        const std::uint64_t tag = chw > 0 ? std::uint64_t(result.channel) << data_bits : 0;
        // with saturate, the clamp flag above the channel (one for the
        // results of a beat)
        const int beat_bits = data_bits * (c.filter_type == decimation ? 1 : lanes);
        const std::uint64_t flag = r.clamped ? std::uint64_t{1} << (beat_bits + chw) : 0;
        clamped += r.clamped ? 1 : 0;
        if (c.is_complex && c.serial) {
            // the imaginary beat carries m_axis_tlast, above the data
            expected.push_back(flag | tag | static_cast<std::uint64_t>(r.re));
            expected.push_back(flag | tag | std::uint64_t{1} << ow |
                               static_cast<std::uint64_t>(r.im));
        } else {
            const std::uint64_t word =
                tag | (c.is_complex ? static_cast<std::uint64_t>(r.im) << ow |
                                          static_cast<std::uint64_t>(r.re)
                                    : static_cast<std::uint64_t>(r.re));
            // P results per beat, the first lowest (rows whose beats fit 64 bits)
            if (lane_of_beat == 0) {
                expected.push_back(flag | word);
            } else {
                expected.back() |= flag | word << (lane_of_beat * data_bits);
            }
            lane_of_beat = (lane_of_beat + 1) % (c.filter_type == decimation ? 1 : lanes);
        }
    }
    EXPECT_FALSE(expected.empty());
    // a saturating real row must clamp some results, or it tests nothing
    EXPECT_TRUE(!c.saturate || c.is_complex || clamped > 0) << "no result was clamped";
    EXPECT_EQ(hex_lines(folder + "/tb_out.hex"), expected);
    if (core.bad_packets) {
        add_bad_packets(folder, c, values);
    }

    Staged staged;
    for (const std::string& name : test::list_directory(folder)) {
        if (name.ends_with(".f")) {
            std::istringstream list(test::read_file(folder + "/" + name));
            for (std::string line; std::getline(list, line);) {
                if (!line.starts_with("+")) {
                    staged.rtl.push_back(line);
                }
            }
        }
    }
    staged.testbench = "tb_fir.v";
    const std::string waivers = test::read_file(folder + "/fir_waivers.vlt");
    staged.waivers = waivers.substr(waivers.find('\n') + 1);
    return staged;
}

// The multipliers as the `*` operator, and as conditional-add rows.
const std::vector<std::string> multiplier_forms[] = {{}, {"FIR_LUT_MULTIPLIERS"}};

class FirCore : public ::testing::TestWithParam<CoreCase> {};

TEST_P(FirCore, EveryResultEqualsTheModelThroughTheStreamTop) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    test::TempDir dir;
    const Staged staged = stage_core(dir.path(), GetParam());
    std::vector<std::string> sources = staged.rtl;
    sources.push_back(staged.testbench);
    for (const auto& defines : multiplier_forms) {
        const ToolResult sim = simulate(dir.file("core"), sources, defines);
        EXPECT_TRUE(sim.ok) << sim.log;
        EXPECT_EQ(sim.log.find("warning"), std::string::npos) << sim.log;
        EXPECT_EQ(sim.output, "PASS\n") << sim.log;
    }
}

TEST_P(FirCore, LintIsClean) {
    HDL_REQUIRE_TOOLS("verilator");
    test::TempDir dir;
    const Staged staged = stage_core(dir.path(), GetParam());
    for (const auto& defines : multiplier_forms) {
        const ToolResult lint =
            verilator_lint(dir.file("core"), staged.rtl, "fir_axis", defines, staged.waivers);
        EXPECT_TRUE(lint.ok) << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << lint.log;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, FirCore, ::testing::ValuesIn(core_cases),
                         [](const auto& info) { return std::string(info.param.name); });

// The shared networks: constant sets with zeros, ones, powers of two, the
// most negative value, repeats and random values, signed and unsigned data.
struct NetworkCase {
    int width;
    bool data_signed;
    std::vector<std::int64_t> taps;
};

std::vector<NetworkCase> network_cases() {
    std::vector<NetworkCase> cases = {
        {6, true, {0, 1, -1, 2, -32, 31, 21, -21, 13, 7, -3, 12, 21, 0}},
        {8, false, {255, 0, 128, 170, 85, 99, 3, 254, 1}},
        {7, true, {-64, 63, 45, 27, -9, 5, -50, 33}},
    };
    std::mt19937 rng(7);
    for (const int width : {5, 8}) {
        NetworkCase c{width, true, {}};
        for (int k = 0; k < 16; ++k) {
            c.taps.push_back(std::uniform_int_distribution<std::int64_t>(
                -(std::int64_t{1} << (width - 1)), (std::int64_t{1} << (width - 1)) - 1)(rng));
        }
        cases.push_back(c);
    }
    return cases;
}

__extension__ using Wide = __int128;

// Every node is the sum or difference it claims, every constant's odd part
// a node, the adders no fewer than the bound; over many random sets (wide
// ones too), and the same set gives the same network.
TEST(FirConstantNetwork, NodesHoldTheirValuesForRandomSets) {
    std::mt19937 rng(11);
    // the extremes of 32-bit coefficients first (2^32 - 1 is one adder from 1
    // with a shift of 32), then up to 40 constants of up to 16 bits, up to 4
    // of up to 32
    const std::vector<std::vector<std::int64_t>> extremes = {
        {(std::int64_t{1} << 32) - 1, -(std::int64_t{1} << 31), 0, 1, -1},
        {(std::int64_t{1} << 32) - 3, (std::int64_t{1} << 31) + 1, 3}};
    for (int run = 0; run < 202; ++run) {
        const int width = 2 + static_cast<int>(rng() % (run % 4 == 0 ? 31 : 15));
        std::vector<std::int64_t> set(1 + rng() % (width > 16 ? 4 : 40));
        for (std::int64_t& c : set) {
            c = std::uniform_int_distribution<std::int64_t>(-(std::int64_t{1} << (width - 1)),
                                                            (std::int64_t{1} << width) - 1)(rng);
        }
        if (run < 2) {
            set = extremes[run];
        }
        const fir::ConstantNetwork n = fir::build_network(set);
        ASSERT_EQ(n.nodes.front().value, 1u);
        for (size_t i = 1; i < n.nodes.size(); ++i) {
            const fir::NetworkNode& node = n.nodes[i];
            ASSERT_LT(node.a, static_cast<int>(i));
            ASSERT_LT(node.b, static_cast<int>(i));
            const Wide a = static_cast<Wide>(n.nodes[node.a].value) << node.a_shift;
            const Wide b = static_cast<Wide>(n.nodes[node.b].value) << node.b_shift;
            ASSERT_TRUE((node.subtract ? a - b : a + b) == static_cast<Wide>(node.value)
                                                               << node.down)
                << "node " << i << " of run " << run;
        }
        for (const std::int64_t c : set) {
            if (c != 0) {
                const std::uint64_t m = static_cast<std::uint64_t>(c < 0 ? -c : c);
                EXPECT_GE(n.node_of(m >> std::countr_zero(m)), 0) << c;
            }
        }
        EXPECT_GE(n.adders(), n.bound);
        EXPECT_EQ(fir::build_network(set).nodes.size(), n.nodes.size());
    }
}

// Yosys proves the network's products (the generated module without its
// registers) equal to the `*` operator's, bit by bit, for every input.
TEST(FirConstantNetwork, ProductsAreProvenEqualToTheOperator) {
    HDL_REQUIRE_TOOLS("yosys");
    for (const NetworkCase& c : network_cases()) {
        test::TempDir dir;
        fir::ConstantFilter filter;
        filter.taps = c.taps;
        filter.width = c.width;
        filter.data_signed = c.data_signed;
        filter.module = "gate";
        const int pw = 2 * c.width + 3;
        const fir::ConstantNetwork network = fir::build_network(c.taps);
        test::write_file(dir.file("gate.v"), fir::constant_products_verilog(filter, network, pw));
        std::string gold =
            "module gold (\n    input  wire [" + std::to_string(c.width - 1) + ":0] in_data";
        for (size_t k = 0; k < c.taps.size(); ++k) {
            gold +=
                ",\n    output wire [" + std::to_string(pw - 1) + ":0] prod" + std::to_string(k);
        }
        gold += "\n);\n    wire signed [" + std::to_string(pw - 1) +
                ":0] x = " + (c.data_signed ? "$signed(in_data)" : "$signed({1'b0, in_data})") +
                ";\n";
        for (size_t k = 0; k < c.taps.size(); ++k) {
            gold += "    assign prod" + std::to_string(k) + " = x * " + (c.taps[k] < 0 ? "-" : "") +
                    std::to_string(pw) + "'sd" +
                    std::to_string(c.taps[k] < 0 ? -c.taps[k] : c.taps[k]) + ";\n";
        }
        gold += "endmodule\n";
        test::write_file(dir.file("gold.v"), gold);
        const ToolResult proof = yosys_script(dir.path(), "read_verilog gold.v gate.v\n"
                                                          "proc\n"
                                                          "equiv_make gold gate equiv\n"
                                                          "hierarchy -top equiv\n"
                                                          "equiv_simple\n"
                                                          "equiv_status -assert\n");
        EXPECT_TRUE(proof.ok) << proof.log;
    }
}

// The two low-pass filters of the README's figures: within a quarter of
// the bound (distinct odd fundamentals other than 1).
TEST(FirConstantNetwork, LowPassFiltersNeedAtMostAQuarterMoreAddersThanTheBound) {
    const std::vector<std::vector<std::int64_t>> sets = {
        {0, -64, -56, 86, 209, 0, -439, -377, 515, 1128, 0, -2103, -1864, 2944, 9820, 13107},
        {-42,  -107, -120,  -58,   69,    203,   248,   126,   -153,  -445, -535,
         -264, 313,  889,   1041,  502,   -583,  -1630, -1883, -900,  1039, 2902,
         3368, 1628, -1917, -5520, -6710, -3477, 4554,  15605, 26248, 32767}};
    for (const auto& set : sets) {
        const fir::ConstantNetwork n = fir::build_network(set);
        EXPECT_LE(4 * n.adders(), 5 * n.bound) << n.adders() << " adders, bound " << n.bound;
    }
}

} // namespace
} // namespace ipgen::hdl
