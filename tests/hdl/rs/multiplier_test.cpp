// The decoder's multipliers, simulated: mastrovito.v against the field's
// product (every pair for m <= 8, 10^4 random pairs above), and every slice
// of the syndrome unit's multiplier.v against its input times its root
// beta^(first_root + s), for every input value.
#include "generated.hpp"
#include "hex_vector.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ipgen::hdl {
namespace {

// mastrovito.v depends on the field alone: one configuration per field.
std::vector<DecoderConfig> one_config_per_field() {
    std::vector<DecoderConfig> configs;
    for (const DecoderConfig& config : decoder_matrix()) {
        const bool seen = std::any_of(configs.begin(), configs.end(), [&](const auto& c) {
            return c.m == config.m && c.field_poly == config.field_poly;
        });
        if (!seen) {
            configs.push_back(config);
        }
    }
    return configs;
}

class HdlMastrovito : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlMastrovito, MultipliesEveryPair) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    HDL_REQUIRE_FILE(*run, "mastrovito.v");
    const Gf gf(config.m, config.field_poly);
    std::vector<std::string> vectors;
    auto add = [&](int a, int b) {
        vectors.push_back(
            HexVector().push(a, config.m).push(b, config.m).push(gf.mul(a, b), config.m).hex());
    };
    if (config.m <= 8) {
        for (int a = 0; a <= gf.nlong(); ++a) {
            for (int b = 0; b <= gf.nlong(); ++b) {
                add(a, b);
            }
        }
    } else {
        std::mt19937 rng(2024);
        std::uniform_int_distribution<int> symbol(0, gf.nlong());
        for (int i = 0; i < 10000; ++i) {
            add(symbol(rng), symbol(rng));
        }
    }
    const std::string m = std::to_string(config.m);
    const ToolResult sim =
        check_combinational(run->dir(), {"corrgen_params.v", "mastrovito.v"},
                            "mastrovito dut(.mult_in1(in[2*" + m + "-1:" + m + "]), .mult_in2(in[" +
                                m + "-1:0]), .mult_out(out));",
                            2 * config.m, config.m, vectors);
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_NE(sim.output.find(all_checked(vectors.size())), std::string::npos) << sim.log;
}

INSTANTIATE_TEST_SUITE_P(Fields, HdlMastrovito, ::testing::ValuesIn(one_config_per_field()),
                         [](const auto& info) { return info.param.name; });

class HdlDecoderMultipliers : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlDecoderMultipliers, SyndromeMultiplierSlicesMultiplyByTheirRoots) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    HDL_REQUIRE_FILE(*run, "multiplier.v");
    const RsCode code = config.code();
    const int r = config.r();
    // Slice s sees x XOR offset[s]: every slice takes every value once, and
    // the slices differ, so crossed wires between slices show.
    std::mt19937 rng(7);
    std::vector<int> offset(static_cast<std::size_t>(r));
    for (int& o : offset) {
        o = static_cast<int>(rng() % static_cast<unsigned>(code.gf.nlong() + 1));
    }
    std::vector<std::string> vectors;
    for (int x = 0; x <= code.gf.nlong(); ++x) {
        HexVector line;
        for (int s = r - 1; s >= 0; --s) { // slice r-1 is the most significant
            line.push(x ^ offset[s], config.m);
        }
        for (int s = r - 1; s >= 0; --s) {
            line.push(code.gf.mul(x ^ offset[s], code.beta_pow(config.first_root + s)), config.m);
        }
        vectors.push_back(line.hex());
    }
    const ToolResult sim = check_combinational(run->dir(), {"corrgen_params.v", "multiplier.v"},
                                               "multiplier dut(.mult_in(in), .mult_out(out));",
                                               r * config.m, r * config.m, vectors);
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_NE(sim.output.find(all_checked(vectors.size())), std::string::npos) << sim.log;
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlDecoderMultipliers, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
