// synd.v with its multiplier.v, simulated: libfec codewords, clean and with
// errors, are clocked in one symbol per enabled clock (first symbol with
// sync, the coefficient of x^(n-1)); every syndrome read through sel_synd
// must equal the software syndrome r(beta^(first_root + s)). The bench
// stalls at random (clk_en low, or synd_en low between symbols) and checks
// that nothing moves then; under SYNC_RST_ENABLED, sr clears every register
// and the next word decodes.
#include "fec_codec.hpp"
#include "generated.hpp"
#include "hex_vector.hpp"
#include "sim_output.hpp"
#include "step_task.hpp"

#include <gtest/gtest.h>

#include <random>

namespace ipgen::hdl {
namespace {

const char* const synd_bench = R"(`timescale 1ns/1ns
module tb_synd;
reg clk, clk_en, rst_n, sync, synd_en, synd_rdy_int, ready_int;
`ifdef SYNC_RST_ENABLED
reg sr;
`endif
reg [`SYNDSELWIDTH-1:0] sel_synd;
reg [`INPUT_DATA_WIDTH-1:0] din;
wire [`INPUT_DATA_WIDTH-1:0] synd_j, synd_lsb;
`ifdef ERASURE
wire synd_lsb0 = 1'b0;
`else
wire synd_lsb0;
`endif
reg [`INPUT_DATA_WIDTH-1:0] symbols [0:$$WORDS$$*$$N$$-1];
integer w, p, s, seed, stalls;
reg [2*`CHKSYMBS_WIDTH+2*`INPUT_DATA_WIDTH:0] before;

synd dut(
   .clk_en(clk_en), .clk(clk), .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .sync(sync), .synd_en(synd_en), .synd_rdy_int(synd_rdy_int), .ready_int(ready_int),
   .sel_synd(sel_synd),
`ifndef ERASURE
   .synd_lsb0(synd_lsb0),
`endif
   .synd_j(synd_j), .synd_lsb(synd_lsb), .din(din));

always #5 clk = ~clk;

// Every register of the unit and its outputs.
wire [2*`CHKSYMBS_WIDTH+2*`INPUT_DATA_WIDTH:0] state =
   {dut.synd_out, dut.synd_reg, synd_j, synd_lsb, synd_lsb0};

$$STEP_TASK$$

// Clocks word w in, captures the syndromes and reads them out.
task word;
input integer w;
begin
   for (p = 0; p < $$N$$; p = p + 1) begin
      // An enabled edge without a symbol (synd_en and sync low) changes nothing.
      if ($random(seed) % 8 == 0) begin
         sync = 1'b0; synd_en = 1'b0; din = $random(seed);
         before = state;
         step;
         if (state !== before) begin
            $display("FATAL: an edge with synd_en low changed the state");
            $finish;
         end
      end
      din = symbols[w*$$N$$+p];
      sync = (p == 0);
      synd_en = (p != 0) || ($random(seed) % 2 == 0);
      step;
   end
   sync = 1'b0; synd_en = 1'b0;
   // synd_rdy_int without ready_int captures nothing.
   synd_rdy_int = 1'b1; ready_int = 1'b0;
   before = state;
   step;
   if (dut.synd_reg !== before[`CHKSYMBS_WIDTH+2*`INPUT_DATA_WIDTH:2*`INPUT_DATA_WIDTH+1]) begin
      $display("FATAL: synd_reg loaded without ready_int");
      $finish;
   end
   ready_int = 1'b1;
   step;
   synd_rdy_int = 1'b0; ready_int = 1'b0;
   $display("LSB %0d %h %b", w, synd_lsb, synd_lsb0);
   for (s = 0; s < $$R$$; s = s + 1) begin
      sel_synd = s;
      step;
      $display("SYND %0d %0d %h", w, s, synd_j);
   end
end
endtask

initial begin
   seed = $$SEED$$; stalls = 0;
   $readmemh("symbols.hex", symbols);
   clk = 1'b0; clk_en = 1'b0; rst_n = 1'b0; sync = 1'b0; synd_en = 1'b0;
   synd_rdy_int = 1'b0; ready_int = 1'b0; sel_synd = 0; din = 0;
`ifdef SYNC_RST_ENABLED
   sr = 1'b0;
`endif
   #12 rst_n = 1'b1;
   for (w = 0; w < $$WORDS$$ - 1; w = w + 1)
      word(w);
`ifdef SYNC_RST_ENABLED
   // Half a word in, then a synchronous reset: every register clears.
   for (p = 0; p < $$N$$ / 2; p = p + 1) begin
      din = symbols[p] ^ 1; sync = (p == 0); synd_en = 1'b1; synd_rdy_int = 1'b1; ready_int = 1'b1;
      step;
   end
   sync = 1'b0; synd_en = 1'b1; synd_rdy_int = 1'b1; ready_int = 1'b1; sr = 1'b1;
   step;
   sr = 1'b0; synd_en = 1'b0; synd_rdy_int = 1'b0; ready_int = 1'b0;
   if (state !== 0) begin
      $display("FATAL: sr left state %h", state);
      $finish;
   end
   $display("SRCLEARED");
`endif
   word($$WORDS$$ - 1);
   $display("DONE stalls %0d", stalls);
   $finish;
end
endmodule
)";

class HdlSyndrome : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlSyndrome, SyndromesOfLibfecWordsWithErrors) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    HDL_REQUIRE_FILE(*run, "synd.v");
    HDL_REQUIRE_FILE(*run, "multiplier.v");

    const RsCode code = config.code();
    const FecCodec fec(config.m, config.field_poly, config.first_root, config.rootspace, config.r(),
                       config.nlong() - config.n);
    ASSERT_TRUE(fec.valid());
    std::mt19937 rng(99);
    // Word 0 and the last word are clean codewords; the others carry from
    // one error up to more than the code corrects (syndromes are defined
    // for any word).
    const int words = config.n > 1000 ? 3 : 6;
    std::vector<std::vector<int>> received;
    std::string symbols;
    for (int w = 0; w < words; ++w) {
        const std::vector<int> codeword = fec.encode(random_data(code, rng));
        const int errors = (w == 0 || w == words - 1) ? 0 : std::min(w * 2 - 1, config.n);
        received.push_back(corrupt(code, codeword, errors, 0, rng).word);
        for (int symbol : received.back()) {
            symbols += HexVector().push(symbol, config.m).hex() + "\n";
        }
    }
    test::write_file(run->file("symbols.hex"), symbols);
    test::write_file(run->file("tb_synd.v"),
                     fill_template(synd_bench, {{"WORDS", std::to_string(words)},
                                                {"N", std::to_string(config.n)},
                                                {"R", std::to_string(config.r())},
                                                {"SEED", "17"},
                                                {"STEP_TASK", step_task}}));
    const ToolResult sim =
        simulate(run->dir(), {"corrgen_params.v", "multiplier.v", "synd.v", "tb_synd.v"});
    ASSERT_TRUE(sim.ok) << sim.log;
    ASSERT_NE(sim.output.find("DONE"), std::string::npos) << sim.log;
    EXPECT_EQ(sim.output.find("SRCLEARED") != std::string::npos, config.sync_reset()) << sim.log;

    const auto synd_lines = tagged_lines(sim.output, "SYND");
    ASSERT_EQ(synd_lines.size(), static_cast<std::size_t>(words * config.r())) << sim.log;
    for (const auto& fields : synd_lines) {
        const int w = std::stoi(fields[0]);
        const int s = std::stoi(fields[1]);
        const std::vector<int> expected = syndromes(code, received[w]);
        EXPECT_EQ(hex_field(fields[2]), expected[s]) << "word " << w << " syndrome " << s;
        if (w == 0 || w == words - 1) {
            EXPECT_EQ(expected[s], 0);
        }
    }
    const auto lsb_lines = tagged_lines(sim.output, "LSB");
    ASSERT_EQ(lsb_lines.size(), static_cast<std::size_t>(words));
    for (const auto& fields : lsb_lines) {
        const int w = std::stoi(fields[0]);
        const int s0 = syndromes(code, received[w])[0];
        EXPECT_EQ(hex_field(fields[1]), s0) << "synd_lsb of word " << w;
        if (config.erasures == 0) {
            EXPECT_EQ(fields[2], s0 == 0 ? "1" : "0") << "synd_lsb0 of word " << w;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlSyndrome, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
