// The encoder's multiplier.v in both netlist styles (plain, shared terms):
// it compiles with the rsenc_params.v it includes and passes Verilator's
// lint; every slice equals its generator coefficient times the input, for
// every input; a remainder register built on it (the encoder's LFSR)
// reproduces libfec's parity for random messages, shortened codes
// included; and Yosys proves the shared-term netlist and the minimal one
// (written by the library) equivalent to the plain one.
#include "fec_codec.hpp"
#include "generated.hpp"
#include "generators/common/text_sink.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/minimal_netlist.hpp"
#include "generators/rs_common/generator_polynomial.hpp"
#include "hex_vector.hpp"
#include "sim_output.hpp"

#include <gtest/gtest.h>

#include <random>

namespace ipgen::hdl {
namespace {

// mult_style values of paritygen's -a switch.
constexpr int plain_style = 0;
constexpr int shared_style = 1;

std::string style_name(int style) {
    return style == shared_style ? "shared" : "plain";
}

std::unique_ptr<GeneratorRun> generate(const EncoderConfig& config, int style) {
    auto run = run_paritygen(config, style);
    if (run) {
        EXPECT_EQ(run->result().exit_status, 0) << run->result().err;
    }
    return run;
}

#define HDL_REQUIRE_PARITYGEN()                                                                    \
    do {                                                                                           \
        if (!paritygen_built()) {                                                                  \
            if (::ipgen::hdl::all_writers_landed) {                                                \
                FAIL() << "paritygen is not part of this build";                                   \
            }                                                                                      \
            GTEST_SKIP() << "paritygen is not part of this build yet";                             \
        }                                                                                          \
    } while (0)

class HdlEncoder : public ::testing::TestWithParam<EncoderConfig> {};

TEST_P(HdlEncoder, MultiplierCompilesAndPassesLintInBothStyles) {
    HDL_REQUIRE_TOOLS("iverilog", "verilator");
    HDL_REQUIRE_PARITYGEN();
    for (int style : {plain_style, shared_style}) {
        const auto run = generate(GetParam(), style);
        ASSERT_TRUE(run->has("multiplier.v"));
        const ToolResult compiled = iverilog_compile(run->dir(), {"multiplier.v"}, "enc.vvp");
        EXPECT_TRUE(compiled.ok) << style_name(style) << "\n" << compiled.log;
        EXPECT_EQ(compiled.log.find("warning"), std::string::npos) << compiled.log;
        const ToolResult lint = verilator_lint(run->dir(), {"multiplier.v"}, "multiplier", {}, "");
        EXPECT_TRUE(lint.ok) << style_name(style) << "\n" << lint.log;
        EXPECT_EQ(lint.log.find("%Warning"), std::string::npos) << lint.log;
    }
}

TEST_P(HdlEncoder, EverySliceIsItsCoefficientTimesTheInput) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    HDL_REQUIRE_PARITYGEN();
    const EncoderConfig& config = GetParam();
    const RsCode code = config.code();
    const Poly g = generator_poly(code);
    const int r = config.r();
    std::vector<std::string> vectors;
    for (int x = 0; x <= config.nlong(); ++x) {
        HexVector line;
        line.push(x, config.m);
        for (int i = 0; i < r; ++i) { // g_0 feeds the most significant slice
            line.push(code.gf.mul(g[i], x), config.m);
        }
        vectors.push_back(line.hex());
    }
    for (int style : {plain_style, shared_style}) {
        const auto run = generate(config, style);
        const ToolResult sim = check_combinational(run->dir(), {"multiplier.v"},
                                                   "multiplier dut(.mult_in(in), .mult_out(out));",
                                                   config.m, r * config.m, vectors);
        ASSERT_TRUE(sim.ok) << style_name(style) << "\n" << sim.log;
        EXPECT_NE(sim.output.find(all_checked(vectors.size())), std::string::npos)
            << style_name(style) << "\n"
            << sim.log;
    }
}

const char* const lfsr_bench = R"(`timescale 1ns/1ns
module tb_lfsr;
reg [`INPUT_DATA_WIDTH-1:0] data [0:$$WORDS$$*$$K$$-1];
reg [`INPUT_DATA_WIDTH-1:0] din;
// The remainder: slice j holds the coefficient of x^(r-1-j), so the
// product slices line up with the register shifted down by one symbol.
reg [`REMAINDER_WIDTH-1:0] rem;
wire [`INPUT_DATA_WIDTH-1:0] feedback = din ^ rem[`INPUT_DATA_WIDTH-1:0];
wire [`REMAINDER_WIDTH-1:0] mult_out;
integer w, i;

multiplier dut(.mult_in(feedback), .mult_out(mult_out));

initial begin
   $readmemh("data.hex", data);
   for (w = 0; w < $$WORDS$$; w = w + 1) begin
      rem = 0;
      for (i = 0; i < $$K$$; i = i + 1) begin
         din = data[w*$$K$$+i];
         #1;
         rem = (rem >> `INPUT_DATA_WIDTH) ^ mult_out;
      end
      for (i = 0; i < $$R$$; i = i + 1)
         $display("PARITY %0d %0d %h", w, i, rem[i*`INPUT_DATA_WIDTH +: `INPUT_DATA_WIDTH]);
   end
   $display("DONE");
   $finish;
end
endmodule
)";

TEST_P(HdlEncoder, RemainderRegisterReproducesLibfecParity) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    HDL_REQUIRE_PARITYGEN();
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const EncoderConfig& config = GetParam();
    const RsCode code = config.code();
    const FecCodec fec(config.m, config.field_poly, config.first_root, config.rootspace, config.r(),
                       config.nlong() - config.n);
    ASSERT_TRUE(fec.valid());
    std::mt19937 rng(31337);
    const int words = 6;
    std::vector<std::vector<int>> parity;
    std::string data;
    for (int w = 0; w < words; ++w) {
        std::vector<int> message = random_data(code, rng);
        if (w == 0) {
            std::fill(message.begin(), message.end(), 0);
        }
        parity.push_back(fec.parity(message));
        for (int symbol : message) {
            data += HexVector().push(symbol, config.m).hex() + "\n";
        }
    }
    for (int style : {plain_style, shared_style}) {
        const auto run = generate(config, style);
        test::write_file(run->file("data.hex"), data);
        test::write_file(run->file("tb_lfsr.v"),
                         fill_template(lfsr_bench, {{"WORDS", std::to_string(words)},
                                                    {"K", std::to_string(config.k)},
                                                    {"R", std::to_string(config.r())}}));
        const ToolResult sim = simulate(run->dir(), {"multiplier.v", "tb_lfsr.v"});
        ASSERT_TRUE(sim.ok) << style_name(style) << "\n" << sim.log;
        const auto lines = tagged_lines(sim.output, "PARITY");
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(words * config.r())) << sim.log;
        for (const auto& fields : lines) {
            const int w = std::stoi(fields[0]);
            const int i = std::stoi(fields[1]);
            EXPECT_EQ(hex_field(fields[2]), parity[w][i])
                << style_name(style) << " word " << w << " parity symbol " << i;
        }
    }
}

// The minimal netlist of the same code, written by the library (paritygen
// offers only the two other styles), without a copied header.
std::string minimal_netlist(const EncoderConfig& config) {
    const rs::GaloisField field = rs::build_field(config.m, config.field_poly);
    const auto gen =
        rs::generator_polynomial(field, config.first_root, config.rootspace, config.r());
    StringSink text;
    rsenc::write_minimal_multiplier(text, field, rs::gen_poly_logs(field, gen));
    return text.text();
}

TEST_P(HdlEncoder, YosysProvesEveryStyleEquivalentToThePlainOne) {
    HDL_REQUIRE_TOOLS("yosys");
    HDL_REQUIRE_PARITYGEN();
    const auto plain = generate(GetParam(), plain_style);
    const auto shared = generate(GetParam(), shared_style);
    // Both runs have the same switches but -a, so one rsenc_params.v serves.
    test::write_file(shared->file("plain.v"), test::read_file(plain->file("multiplier.v")));
    test::write_file(shared->file("minimal.v"), minimal_netlist(GetParam()));
    // equiv_make pairs the outputs of the two netlists bit by bit, every
    // coefficient's slice among them; equiv_simple proves each pair with a
    // SAT solver over its input cone; equiv_status -assert fails on any
    // pair left unproven.
    for (const char* gate : {"multiplier.v", "minimal.v"}) {
        const ToolResult proof = yosys_script(shared->dir(), std::string("read_verilog plain.v\n"
                                                                         "rename multiplier gold\n"
                                                                         "read_verilog ") +
                                                                 gate +
                                                                 "\n"
                                                                 "rename multiplier gate\n"
                                                                 "proc\n"
                                                                 "equiv_make gold gate equiv\n"
                                                                 "hierarchy -top equiv\n"
                                                                 "equiv_simple\n"
                                                                 "equiv_status -assert\n");
        EXPECT_TRUE(proof.ok) << gate << "\n" << proof.log;
    }
}

// rsenc_params.v under each pipeline mode (with and without a registered
// input), CONTINUOUS or not, CCSDS, and one and two data symbols: it
// preprocesses cleanly and multiplier.v, which includes it, compiles.
TEST(HdlEncoderDefines, EveryParameterHeaderVariantCompiles) {
    HDL_REQUIRE_TOOLS("iverilog");
    HDL_REQUIRE_PARITYGEN();
    const EncoderConfig& base = encoder_matrix().front();
    const std::vector<std::vector<std::string>> variants{
        {"-p", "0"},
        {"-p", "1"},
        {"-p", "2", "-r", "1"},
        {"-p", "2", "-r", "0"},
        {"-p", "3"},
        {"-p", "4"},
        {"-t", "1", "-c", "1"},
        {"-k", "1", "-n", "17"},
        {"-k", "2", "-n", "18"},
    };
    for (const std::vector<std::string>& variant : variants) {
        std::vector<std::string> args = base.args(shared_style);
        args.insert(args.end(), variant.begin(), variant.end()); // a later switch wins
        const auto run = run_paritygen_with(args);
        ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
        const ToolResult pre = iverilog_preprocess(run->dir(), {"rsenc_params.v"});
        EXPECT_TRUE(pre.ok) << pre.log;
        EXPECT_EQ(pre.log.find("warning"), std::string::npos) << pre.log;
        const ToolResult compiled = iverilog_compile(run->dir(), {"multiplier.v"}, "enc.vvp");
        EXPECT_TRUE(compiled.ok) << compiled.log;
        EXPECT_EQ(compiled.log.find("warning"), std::string::npos) << compiled.log;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlEncoder, ::testing::ValuesIn(encoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
