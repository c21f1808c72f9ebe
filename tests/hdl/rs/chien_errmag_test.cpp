// chiensearch.v with errmag.v (and the gfinvrom.v and mastrovito.v it
// instantiates), driven as the decoder core drives them: the errata locator
// sigma and evaluator omega of a word, computed in software from its
// syndromes (Berlekamp-Massey started from the erasure locator), are loaded
// with mxsel on enabled edge 0, then one field point follows per enabled
// edge, and the next word is loaded on edge n.
//
// Timing checked (enabled edges counted from the load edge 0): after edge
// c = 1 .. n, foundzero and sumoddreg describe position p = c - 1, the
// point beta^(c + nlong - n), the inverse of its locator beta^(n-1-p);
// errval for p follows two enabled edges later. With FAILPIN, errvalinreg
// then holds the corrected symbol (buf_out2, the received symbol, XOR the
// error value) and errval copies it one edge later.
//
// foundzero must mark exactly the locator's roots (libfec changes exactly
// those with a non-zero error value), errval must be the error value, and
// sumoddreg the odd part of sigma at every point.
#include "fec_codec.hpp"
#include "generated.hpp"
#include "hex_vector.hpp"
#include "sim_output.hpp"
#include "step_task.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace ipgen::hdl {
namespace {

const char* const chien_bench = R"(`timescale 1ns/1ns
module tb_chien;
reg clk, clk_en, rst_n, mxsel;
`ifdef SYNC_RST_ENABLED
reg sr;
`endif
reg [`SIGMA_WIDTH-1:0] sigma;
reg [`OMEGA_WIDTH-1:0] omega;
wire foundzero;
wire [`INPUT_DATA_WIDTH-1:0] sumoddreg, errval;
`ifdef FAILPIN
reg [`INPUT_DATA_WIDTH-1:0] buf_out2;
wire [`INPUT_DATA_WIDTH-1:0] errvalinreg;
`else
wire [`INPUT_DATA_WIDTH-1:0] errvalinreg = 0;
`endif
reg [`SIGMA_WIDTH-1:0] sigmas [0:$$WORDS$$-1];
reg [`OMEGA_WIDTH-1:0] omegas [0:$$WORDS$$-1];
reg [`INPUT_DATA_WIDTH-1:0] rx [0:$$WORDS$$*$$N$$-1];
reg [`INPUT_DATA_WIDTH-1:0] last_errvalinreg;
integer g, w, seed, stalls, run;

chiensearch u_chien(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .mxsel(mxsel), .clk_en(clk_en), .clk(clk), .sigma(sigma),
   .sumoddreg(sumoddreg), .foundzero(foundzero));

errmag u_errmag(
   .rst_n(rst_n),
`ifdef SYNC_RST_ENABLED
   .sr(sr),
`endif
   .mxsel(mxsel), .clk_en(clk_en), .clk(clk), .omega(omega), .sumoddreg(sumoddreg),
`ifdef FAILPIN
   .buf_out2(buf_out2),
`endif
   .foundzero(foundzero),
`ifdef FAILPIN
   .errvalinreg(errvalinreg),
`endif
   .errval(errval));

always #5 clk = ~clk;

wire [$$STATE_WIDTH$$-1:0] state = {$$STATE$$};
reg [$$STATE_WIDTH$$-1:0] before;

$$STEP_TASK$$

// Words first .. first+count-1 back to back: word j is loaded on edge j*n.
task run_words;
input integer first, count;
begin
   for (g = 0; g <= count * $$N$$ + 4; g = g + 1) begin
      w = g / $$N$$;
      mxsel = (g % $$N$$ == 0) && (w < count);
      if (mxsel) begin
         sigma = sigmas[first + w];
         omega = omegas[first + w];
      end else begin
         // Not selected: whatever is on the bus must not matter.
         sigma = {16{$random(seed)}};
         omega = {16{$random(seed)}};
      end
`ifdef FAILPIN
      buf_out2 = (g >= 3 && g - 3 < count * $$N$$) ? rx[first * $$N$$ + g - 3] : $random(seed);
`endif
      step;
      $display("E %0d %0d %b %h %h %h", run, g, foundzero, sumoddreg, errval, errvalinreg);
   end
end
endtask

initial begin
   seed = $$SEED$$; stalls = 0; run = 0;
   $readmemh("sigmas.hex", sigmas);
   $readmemh("omegas.hex", omegas);
   $readmemh("rx.hex", rx);
   clk = 1'b0; clk_en = 1'b0; rst_n = 1'b0; mxsel = 1'b0; sigma = 0; omega = 0;
`ifdef SYNC_RST_ENABLED
   sr = 1'b0;
`endif
`ifdef FAILPIN
   buf_out2 = 0;
`endif
   #12 rst_n = 1'b1;
   run_words(0, $$WORDS$$ - 1);
`ifdef SYNC_RST_ENABLED
   // Word 1 (it has errata) again, half-way, then a synchronous reset: every register
   // clears (foundzero sets); under FAILPIN errvalinreg takes buf_out2 and
   // errval the old errvalinreg, the received data passing through.
   mxsel = 1'b1; sigma = sigmas[1]; omega = omegas[1];
   step;
   mxsel = 1'b0;
   for (g = 0; g < $$N$$ / 2; g = g + 1)
      step;
   last_errvalinreg = errvalinreg;
`ifdef FAILPIN
   buf_out2 = 5;
`endif
   sr = 1'b1;
   step;
   sr = 1'b0;
   if ($$CLEARED$$ || foundzero !== 1'b1
`ifdef FAILPIN
       || errvalinreg !== 5 || errval !== last_errvalinreg
`else
       || errval !== 0
`endif
      ) begin
      $display("FATAL: sr did not clear the registers");
      $finish;
   end
   $display("SRCLEARED");
   run = 1;
   run_words($$WORDS$$ - 1, 1);
`endif
   $display("DONE stalls %0d", stalls);
   $finish;
end
endmodule
)";

// The registers a synchronous reset clears, as a Verilog condition that is
// true when one of them is not zero. T is the locator degree of the
// modules, (r + e) / 2.
std::string registers_not_cleared(int t) {
    std::string text = "u_chien.sigma0 !== 0 || sumoddreg !== 0";
    for (int i = 1; i <= t; ++i) {
        text += " || u_chien.chreg" + std::to_string(i) + " !== 0";
    }
    for (int i = 1; i < t; ++i) {
        text += " || u_errmag.omreg" + std::to_string(i) + " !== 0";
    }
    text += " || u_errmag.omega0 !== 0 || u_errmag.omegasum !== 0 || u_errmag.sigmainvreg !== 0"
            " || u_errmag.errval1reg !== 0 || u_errmag.rootval !== 0 || u_errmag.rootval_p !== 0";
    return text;
}

struct WordCase {
    std::vector<int> codeword;
    Received received;
    Errata errata;
};

class HdlChienErrmag : public ::testing::TestWithParam<DecoderConfig> {};

TEST_P(HdlChienErrmag, LocatesAndValuesEveryErratum) {
    HDL_REQUIRE_TOOLS("iverilog", "vvp");
    if (!fec_available()) {
        GTEST_SKIP() << "built without libfec";
    }
    const DecoderConfig& config = GetParam();
    const auto run = run_corrgen(config);
    ASSERT_EQ(run->result().exit_status, 0) << run->result().err;
    for (const char* file : {"chiensearch.v", "errmag.v", "gfinvrom.v", "mastrovito.v"}) {
        HDL_REQUIRE_FILE(*run, file);
    }
    const RsCode code = config.code();
    const int n = config.n;
    const int m = config.m;
    const int t = config.header_t();
    const FecCodec fec(m, config.field_poly, config.first_root, config.rootspace, config.r(),
                       config.nlong() - n);
    ASSERT_TRUE(fec.valid());

    // Patterns up to the capability: rho erasures (at most e) and
    // (r - rho) / 2 errors, sometimes fewer, and one clean word.
    std::mt19937 rng(4242);
    const int words = n > 1000 ? 4 : 9;
    std::vector<WordCase> cases;
    std::string sigmas;
    std::string omegas;
    std::string rx;
    for (int w = 0; w < words; ++w) {
        WordCase c;
        c.codeword = fec.encode(random_data(code, rng));
        const int rho = std::min(config.erasures, w % (config.erasures + 1) + (w == 1 ? 99 : 0));
        const int nu = w == 0 ? 0 : (config.r() - rho) / 2 - (w % 3 == 2 ? 1 : 0);
        c.received = corrupt(code, c.codeword, std::max(nu, 0), w == 0 ? 0 : rho, rng);
        c.errata = decode_errata(code, syndromes(code, c.received.word), c.received.erasures);
        ASSERT_TRUE(c.errata.ok) << "word " << w;
        ASSERT_LE(static_cast<int>(c.errata.sigma.size()), t + 1) << "word " << w;
        ASSERT_LE(static_cast<int>(c.errata.omega.size()), t) << "word " << w;
        const FecCodec::Decoded reference = fec.decode(c.received.word, c.received.erasures);
        ASSERT_EQ(reference.word, c.codeword) << "word " << w;
        std::vector<int> changed;
        for (int p : c.errata.positions) {
            if ((c.received.word[p] ^ c.codeword[p]) != 0) {
                changed.push_back(p);
            }
        }
        ASSERT_EQ(changed, reference.positions) << "word " << w;

        HexVector sigma;
        for (int i = t; i >= 0; --i) {
            sigma.push(i < static_cast<int>(c.errata.sigma.size()) ? c.errata.sigma[i] : 0, m);
        }
        HexVector omega;
        for (int i = t - 1; i >= 0; --i) {
            omega.push(i < static_cast<int>(c.errata.omega.size()) ? c.errata.omega[i] : 0, m);
        }
        sigmas += sigma.hex() + "\n";
        omegas += omega.hex() + "\n";
        for (int symbol : c.received.word) {
            rx += HexVector().push(symbol, m).hex() + "\n";
        }
        cases.push_back(std::move(c));
    }
    // At least one word needs every coefficient the modules have: a locator
    // of degree (r + e) / 2 (with r and e both odd, one more than
    // r / 2 + e / 2).
    int max_degree = 0;
    for (const WordCase& c : cases) {
        max_degree = std::max(max_degree, c.errata.degree);
    }
    ASSERT_EQ(max_degree, t);
    test::write_file(run->file("sigmas.hex"), sigmas);
    test::write_file(run->file("omegas.hex"), omegas);
    test::write_file(run->file("rx.hex"), rx);

    const std::string state =
        "foundzero, sumoddreg, errval, errvalinreg, u_chien.sigma0, u_errmag.omega0, "
        "u_errmag.omegasum, u_errmag.sigmainvreg, u_errmag.errval1reg";
    test::write_file(run->file("tb_chien.v"),
                     fill_template(chien_bench, {{"WORDS", std::to_string(words)},
                                                 {"N", std::to_string(n)},
                                                 {"SEED", "23"},
                                                 {"STEP_TASK", step_task},
                                                 {"STATE", state},
                                                 {"STATE_WIDTH", std::to_string(1 + 8 * m)},
                                                 {"CLEARED", registers_not_cleared(t)}}));
    const ToolResult sim = simulate(run->dir(), {"corrgen_params.v", "gfinvrom.v", "mastrovito.v",
                                                 "chiensearch.v", "errmag.v", "tb_chien.v"});
    ASSERT_TRUE(sim.ok) << sim.log;
    ASSERT_NE(sim.output.find("DONE"), std::string::npos) << sim.log;
    EXPECT_EQ(sim.output.find("SRCLEARED") != std::string::npos, config.sync_reset());

    // (run, edge) -> foundzero, sumoddreg, errval, errvalinreg
    std::map<std::pair<int, int>, std::vector<std::string>> edges;
    for (const auto& fields : tagged_lines(sim.output, "E")) {
        edges[{std::stoi(fields[0]), std::stoi(fields[1])}] = {fields[2], fields[3], fields[4],
                                                               fields[5]};
    }
    // Run 0 holds words 0 .. words-2 back to back; run 1 (after the
    // synchronous reset) the last word.
    std::vector<std::pair<int, int>> schedule; // (run, word)
    for (int w = 0; w + 1 < words; ++w) {
        schedule.push_back({0, w});
    }
    if (config.sync_reset()) {
        schedule.push_back({1, words - 1});
    }
    int failures = 0;
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        const auto [run_index, w] = schedule[i];
        const int slot = run_index == 0 ? w : 0;
        const WordCase& c = cases[static_cast<std::size_t>(w)];
        for (int p = 0; p < n && failures < 20; ++p) {
            const int q = slot * n + p;
            const bool root =
                std::binary_search(c.errata.positions.begin(), c.errata.positions.end(), p);
            const int x = code.gf.inv(code.locator(p));
            int sumodd = 0;
            for (std::size_t k = 1; k < c.errata.sigma.size(); k += 2) {
                sumodd ^= code.gf.mul(c.errata.sigma[k], code.gf.pow(x, static_cast<int>(k)));
            }
            const int value = root ? error_value(code, c.errata, p) : 0;
            const auto& at_c = edges[{run_index, q + 1}];
            const auto& at_c2 = edges[{run_index, q + 3}];
            const auto& at_c3 = edges[{run_index, q + 4}];
            ASSERT_FALSE(at_c.empty() || at_c2.empty() || at_c3.empty()) << sim.output;
            const std::string where =
                "word " + std::to_string(w) + " position " + std::to_string(p);
            if (at_c[0] != (root ? "0" : "1")) {
                ADD_FAILURE() << where << ": foundzero " << at_c[0];
                ++failures;
            }
            if (hex_field(at_c[1]) != sumodd) {
                ADD_FAILURE() << where << ": sumoddreg " << at_c[1] << ", expected " << sumodd;
                ++failures;
            }
            if (config.failpin()) {
                const int corrected = c.received.word[p] ^ value;
                EXPECT_EQ(corrected, c.codeword[p]) << where;
                if (hex_field(at_c2[3]) != corrected || hex_field(at_c3[2]) != corrected) {
                    ADD_FAILURE() << where << ": errvalinreg " << at_c2[3] << " then errval "
                                  << at_c3[2] << ", expected " << corrected;
                    ++failures;
                }
            } else if (hex_field(at_c2[2]) != value) {
                ADD_FAILURE() << where << ": errval " << at_c2[2] << ", expected " << value;
                ++failures;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, HdlChienErrmag, ::testing::ValuesIn(decoder_matrix()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace ipgen::hdl
