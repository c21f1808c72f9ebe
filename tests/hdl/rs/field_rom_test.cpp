// gfinvrom.v and gfromxp.v, simulated over every address: the inverse ROM
// gives x^-1 (and 0 for 0), the power ROM beta^j, with beta^nlong = 1 at the
// all-ones address.
#include "generated.hpp"
#include "hex_vector.hpp"

#include <gtest/gtest.h>

namespace ipgen::hdl {
namespace {

class HdlFieldRoms : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlFieldRoms, InverseRomInvertsEveryElement) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    const Gf gf(config.m, config.field_poly);
    std::vector<std::string> vectors;
    for (int x = 0; x <= gf.nlong(); ++x) {
        const int inverse = gf.inv(x);
        ASSERT_EQ(x == 0 ? 0 : 1, gf.mul(x, inverse)) << x;
        vectors.push_back(HexVector().push(x, config.m).push(inverse, config.m).hex());
    }
    const ToolResult sim = check_combinational(run->dir(), {"corrgen_params.v", "gfinvrom.v"},
                                               "gfinvrom dut(.address(in), .romout(out));",
                                               config.m, config.m, vectors);
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_NE(sim.output.find(all_checked(vectors.size())), std::string::npos) << sim.log;
}

TEST_P(HdlFieldRoms, PowerRomGivesBetaToTheAddress) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    const RsCode code = config.code();
    std::vector<std::string> vectors;
    for (int j = 0; j <= config.nlong(); ++j) {
        // The last address, 2^m - 1 = nlong, holds beta^nlong = 1.
        vectors.push_back(HexVector().push(j, config.m).push(code.beta_pow(j), config.m).hex());
    }
    const ToolResult sim = check_combinational(run->dir(), {"corrgen_params.v", "gfromxp.v"},
                                               "gfromxp dut(.address(in), .romout(out));", config.m,
                                               config.m, vectors);
    ASSERT_TRUE(sim.ok) << sim.log;
    EXPECT_NE(sim.output.find(all_checked(vectors.size())), std::string::npos) << sim.log;
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlFieldRoms, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
