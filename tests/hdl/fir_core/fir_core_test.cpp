// The FIR filter core of cores/fir over a matrix of configurations: every
// filter type, every symmetry with odd and even lengths, signed and
// unsigned data, both roundings, real and both complex port modes, fixed
// and loadable coefficients (reloaded mid-stream). For each, a core folder
// is staged (firgen's parameters.v, the manifest's files, vectors from the
// integer model), its testbench drives fir_axis with random gaps and
// back-pressure and must print PASS; Verilator's lint must be clean.
#include "ipgen/cores/fir_model.hpp"
#include "hdl_tools.hpp"
#include "hex_vector.hpp"
#include "program_runner.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

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
    {"multi_sym_odd", with(make(16, 11, 40, multi_cycle, symmetric, false, false), 3, 1, 1)},
    {"multi_padded_nearest",
     with(make(8, 10, 12, multi_cycle, nonsymmetric, true, false), 3, 1, 1)},
    {"multi_anti_odd_unsigned",
     with(make(10, 9, 18, multi_cycle, antisymmetric, true, true), 2, 1, 1)},
    {"deci_even", with(make(8, 10, 20, decimation, nonsymmetric, false, false), 1, 4, 1)},
    {"deci_sym_odd_nearest", with(make(8, 9, 15, decimation, symmetric, true, false), 1, 3, 1)},
    {"deci_anti_unsigned", with(make(8, 9, 25, decimation, antisymmetric, false, true), 1, 2, 1)},
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
};

std::string user_params(const FirConfig& c) {
    const int values[] = {c.width,
                          c.width,
                          c.taps,
                          c.out_width,
                          c.filter_type,
                          c.loadable ? 1 : 0,
                          c.symmetry,
                          c.nearest ? 1 : 0,
                          c.is_unsigned ? 1 : 0,
                          c.is_complex ? 1 : 0,
                          c.cycles,
                          c.deci,
                          c.inter,
                          c.serial ? 1 : 0};
    std::string text;
    for (int v : values) {
        text += std::to_string(v) + "   // value\n";
    }
    return text;
}

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

std::uint64_t bits(std::int64_t v, int width) {
    return static_cast<std::uint64_t>(v) & ((std::uint64_t{1} << width) - 1);
}

// One word of a sample or coefficient, {imaginary, real} when complex.
std::uint64_t word(const FirConfig& c, const Value& v) {
    return c.is_complex ? bits(v.im, c.width) << c.width | bits(v.re, c.width)
                        : bits(v.re, c.width);
}

struct Staged {
    std::vector<std::string> rtl; // parameters.v, then the manifest's rtl files
    std::string testbench;
    std::string waivers; // the lint waivers, without their header line
};

// Stages a core folder in `dir` as ipgen will: firgen's files, our sources,
// tb_config.vh and the vectors of tb_in.hex / tb_out.hex from the model.
Staged stage_core(const std::string& dir, const CoreCase& core, unsigned seed) {
    const FirConfig& c = core.config;
    Values values(seed);
    const CoeffSet first = values.set(c);
    test::write_file(dir + "/user_params.txt", user_params(c));
    std::string dec;
    for (const Value& v : first) {
        dec += c.is_complex ? std::to_string(v.re) + "\t" + std::to_string(v.im) + "\n"
                            : std::to_string(v.re) + "\n";
    }
    test::write_file(dir + (c.is_complex ? "/cin_cmplx.dec" : "/cin.dec"), dec);
    const test::RunResult gen = test::run_program(FIRGEN_PATH, {}, dir);
    EXPECT_EQ(gen.exit_status, 0) << gen.out;

    Staged staged{{"parameters.v"}, "", ""};
    std::istringstream manifest(test::read_file(FIR_CORE_DIR "/manifest.txt"));
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string kind, file;
        if (!(fields >> kind >> file) || kind[0] == '#') {
            continue;
        }
        const std::string text = test::read_file(FIR_CORE_DIR "/" + file);
        test::write_file(dir + "/" + file, text);
        if (kind == "rtl") {
            staged.rtl.push_back(file);
        } else if (kind == "tb") {
            staged.testbench = file;
        } else if (kind == "lint") {
            staged.waivers = text.substr(text.find('\n') + 1);
        }
    }

    // The input beats: {coefficient beat, tlast, data}. A loadable core
    // starts with a zero set, so the first set is loaded before any sample,
    // and new sets follow now and then between samples.
    const int data_width = c.is_complex ? 2 * c.width : c.width;
    std::vector<std::string> in_lines;
    std::vector<Event> events;
    auto load = [&](const CoeffSet& set) {
        events.push_back(Event{true, {}, set});
        for (std::size_t k = 0; k < set.size(); ++k) {
            HexVector beat;
            beat.push(1, 1).push(k + 1 == set.size() ? 1 : 0, 1).push(word(c, set[k]), data_width);
            in_lines.push_back(beat.hex());
        }
    };
    auto sample_beat = [&](std::uint64_t data) {
        HexVector beat;
        beat.push(0, 2).push(data, data_width);
        in_lines.push_back(beat.hex());
    };
    if (c.loadable) {
        load(first);
    }
    // A set waits for a sample (decimation: the first of a block) before the
    // next one is taken, so the bench offers the next set only after that.
    const int block = c.filter_type == fir::decimation ? c.deci : 1;
    int next_load = 1;
    for (int n = 0; n < core.samples; ++n) {
        if (c.loadable && n >= next_load && (n == core.samples / 2 + 1 || values.chance(4))) {
            load(values.set(c));
            next_load = (n + block - 1) / block * block + 1;
        }
        const Value s = values.value(c, !c.is_unsigned);
        events.push_back(Event{false, s, {}});
        if (c.is_complex && c.serial) {
            sample_beat(bits(s.re, c.width));
            sample_beat(bits(s.im, c.width));
        } else {
            sample_beat(word(c, s));
        }
    }
    const CoeffSet zeros(first.size());
    std::vector<std::string> out_lines;
    for (const Value& r : fir::run_model(c, c.loadable ? zeros : first, events)) {
        const int w = c.out_width;
        if (c.is_complex && c.serial) {
            out_lines.push_back(HexVector().push(r.re, w).hex());
            out_lines.push_back(HexVector().push(r.im, w).hex());
        } else if (c.is_complex) {
            out_lines.push_back(HexVector().push(r.im, w).push(r.re, w).hex());
        } else {
            out_lines.push_back(HexVector().push(r.re, w).hex());
        }
    }
    auto join = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& l : lines) {
            text += l + "\n";
        }
        return text;
    };
    test::write_file(dir + "/tb_in.hex", join(in_lines));
    test::write_file(dir + "/tb_out.hex", join(out_lines));
    test::write_file(dir + "/tb_config.vh",
                     "`define TB_SEED " + std::to_string(seed) + "\n`define TB_IN_BEATS " +
                         std::to_string(in_lines.size()) + "\n`define TB_OUT_BEATS " +
                         std::to_string(out_lines.size()) + "\n");
    return staged;
}

// The multipliers as the `*` operator, and as conditional-add rows.
const std::vector<std::string> multiplier_forms[] = {{}, {"FIR_LUT_MULTIPLIERS"}};

class FirCore : public ::testing::TestWithParam<CoreCase> {};

TEST_P(FirCore, EveryResultEqualsTheModelThroughTheStreamTop) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    test::TempDir dir;
    const Staged staged = stage_core(dir.path(), GetParam(), 20 + GetParam().config.taps);
    std::vector<std::string> sources = staged.rtl;
    sources.push_back(staged.testbench);
    for (const auto& defines : multiplier_forms) {
        const ToolResult sim = simulate(dir.path(), sources, defines);
        EXPECT_TRUE(sim.ok) << sim.log;
        EXPECT_EQ(sim.log.find("warning"), std::string::npos) << sim.log;
        EXPECT_EQ(sim.output, "PASS\n") << sim.log;
    }
}

TEST_P(FirCore, LintIsClean) {
    HDL_REQUIRE_TOOLS("verilator");
    test::TempDir dir;
    const Staged staged = stage_core(dir.path(), GetParam(), 1);
    for (const auto& defines : multiplier_forms) {
        const ToolResult lint =
            verilator_lint(dir.path(), staged.rtl, "fir_axis", defines, staged.waivers);
        EXPECT_TRUE(lint.ok) << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << lint.log;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, FirCore, ::testing::ValuesIn(core_cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ipgen::hdl
