#include "generators/paritygen/multiplier.hpp"

#include "generators/common/text_sink.hpp"
#include "generators/paritygen/gfile.hpp"
#include "generators/paritygen/minimal_netlist.hpp"
#include "generators/rs_common/generator_polynomial.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace ipgen::rsenc {
namespace {

using rs::build_field;

struct Shared {
    std::string wires;
    std::string assigns;
};

Shared shared_text(const rs::GaloisField& field, const std::vector<int>& logs) {
    StringSink wires;
    StringSink assigns;
    write_shared_slices(wires, assigns, field, logs);
    return {wires.text(), assigns.text()};
}

std::string plain_text(const rs::GaloisField& field, const std::vector<int>& logs) {
    StringSink out;
    write_plain_slices(out, field, logs);
    return out.text();
}

TEST(EncoderMultiplier, WorkedExampleAlpha7InGf16) {
    const auto field = build_field(4, 19);
    // One check symbol whose coefficient g_0 is alpha^7.
    const Shared shared = shared_text(field, {7, 0});
    EXPECT_EQ(shared.wires, "wire g_0_4 ;\nwire g_0_5 ;\n");
    EXPECT_EQ(shared.assigns, "assign g_0_4 = mult_in[0] ^ mult_in[2] ; \n"
                              "assign g_0_5 = mult_in[1] ^ mult_in[3] ; \n"
                              "\n\n"
                              "assign mult_out[0] = mult_in[0] ^ g_0_5 ;\n"
                              "assign mult_out[1] = mult_in[3] ^ g_0_4 ;\n"
                              "assign mult_out[2] = g_0_5 ;\n"
                              "assign mult_out[3] = g_0_4 ;\n"
                              "\n\n");
    EXPECT_EQ(plain_text(field, {7, 0}),
              "\n\n"
              "assign mult_out[0] = mult_in[0] ^ mult_in[1] ^ mult_in[3] ;\n"
              "assign mult_out[1] = mult_in[0] ^ mult_in[2] ^ mult_in[3] ;\n"
              "assign mult_out[2] = mult_in[1] ^ mult_in[3] ;\n"
              "assign mult_out[3] = mult_in[0] ^ mult_in[2] ;\n"
              "\n\n");
}

TEST(EncoderMultiplier, SlicesRunFromTheMostSignificantAndNameTheirCoefficient) {
    const auto field = build_field(4, 19);
    // g_0 = alpha^7 feeds bits 8..11, g_1 = 0 bits 4..7, g_2 = alpha^1 bits 0..3.
    const std::vector<int> logs{7, -1, 1, 0};
    const std::string zero_slice = "assign mult_out[4] = 0 ;\n"
                                   "assign mult_out[5] = 0 ;\n"
                                   "assign mult_out[6] = 0 ;\n"
                                   "assign mult_out[7] = 0 ;\n";
    // alpha^1: columns 0010, 0100, 1000, 0011 share no two bits, so both
    // styles write the same block.
    const std::string alpha1_slice = "\n\n"
                                     "assign mult_out[0] = mult_in[3] ;\n"
                                     "assign mult_out[1] = mult_in[0] ^ mult_in[3] ;\n"
                                     "assign mult_out[2] = mult_in[1] ;\n"
                                     "assign mult_out[3] = mult_in[2] ;\n"
                                     "\n\n";
    const Shared shared = shared_text(field, logs);
    EXPECT_EQ(shared.wires, "wire g_0_4 ;\nwire g_0_5 ;\n");
    EXPECT_EQ(shared.assigns, "assign g_0_4 = mult_in[0] ^ mult_in[2] ; \n"
                              "assign g_0_5 = mult_in[1] ^ mult_in[3] ; \n"
                              "\n\n"
                              "assign mult_out[8] = mult_in[0] ^ g_0_5 ;\n"
                              "assign mult_out[9] = mult_in[3] ^ g_0_4 ;\n"
                              "assign mult_out[10] = g_0_5 ;\n"
                              "assign mult_out[11] = g_0_4 ;\n"
                              "\n\n" +
                                  zero_slice + alpha1_slice);
    // The plain style follows a zero slice with two empty lines too.
    const std::string plain = plain_text(field, logs);
    EXPECT_NE(plain.find("assign mult_out[11] = mult_in[0] ^ mult_in[2] ;\n\n\n" + zero_slice +
                         "\n\n" + alpha1_slice),
              std::string::npos);
}

TEST(EncoderMultiplier, RootSpacingZeroGivesAnAllZeroMiddleSlice) {
    const auto field = build_field(8, 285);
    const auto logs = rs::gen_poly_logs(field, rs::generator_polynomial(field, 0, 0, 2));
    ASSERT_EQ(logs, (std::vector<int>{0, -1, 0}));
    std::string zeros;
    for (int bit = 0; bit < 8; ++bit) {
        zeros += "assign mult_out[" + std::to_string(bit) + "] = 0 ;\n";
    }
    const std::string plain = plain_text(field, logs);
    const Shared shared = shared_text(field, logs);
    EXPECT_EQ(shared.wires, "");
    // g_0 = 1 (identity, bits 8..15), then g_1 = 0 (bits 0..7).
    EXPECT_TRUE(shared.assigns.ends_with("assign mult_out[15] = mult_in[7] ;\n\n\n" + zeros));
    EXPECT_TRUE(plain.ends_with("assign mult_out[15] = mult_in[7] ;\n\n\n" + zeros + "\n\n"));
}

TEST(EncoderMultiplier, OneCheckSymbolIsOneSlice) {
    const auto field = build_field(8, 285);
    const std::string plain = plain_text(field, {1, 0});
    EXPECT_NE(plain.find("assign mult_out[0] = mult_in[7] ;\n"), std::string::npos);
    EXPECT_NE(plain.find("assign mult_out[2] = mult_in[1] ^ mult_in[7] ;\n"), std::string::npos);
    EXPECT_NE(plain.find("assign mult_out[7] = "), std::string::npos);
    EXPECT_EQ(plain.find("assign mult_out[8]"), std::string::npos);
}

TEST(EncoderMultiplier, ModuleFrame) {
    StringSink head;
    write_module_head(head);
    EXPECT_EQ(head.text(), "`timescale 1ns/1ns\n\n\n`include \"rsenc_params.v\"\n\n\n"
                           "module multiplier(\n"
                           "             mult_out,\n"
                           "             mult_in\n"
                           "                );\n"
                           "// input ports\n"
                           "input  [`INPUT_DATA_WIDTH-1:0] mult_in;\n\n\n"
                           "// output ports\n"
                           "output  [`REMAINDER_WIDTH-1:0] mult_out;\n\n\n");
    StringSink end;
    write_module_end(end);
    EXPECT_EQ(end.text(), "\n\nendmodule\n");
}

// A netlist of "assign <name> = <term> ^ ... ;" lines, evaluated in order.
struct Assign {
    std::string target;
    std::vector<std::string> terms; // "0" for the constant
};

std::vector<Assign> parse_assigns(const std::string& text) {
    std::vector<Assign> assigns;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.starts_with("assign")) {
            continue; // empty lines; the module frame and wires of the minimal style
        }
        std::istringstream words(line);
        std::string word;
        Assign a;
        words >> word;
        EXPECT_EQ(word, "assign") << line;
        words >> a.target >> word;
        EXPECT_EQ(word, "=") << line;
        bool expect_term = true;
        while (words >> word && word != ";") {
            if (expect_term) {
                a.terms.push_back(word);
            } else {
                EXPECT_EQ(word, "^") << line;
            }
            expect_term = !expect_term;
        }
        EXPECT_EQ(word, ";") << line;
        assigns.push_back(a);
    }
    return assigns;
}

// The netlist compiled once: wires become numbered signals, each term the
// number of the signal it reads (input bits first, then wires in the order
// they are assigned); reading a wire before it is assigned fails the test.
struct Netlist {
    struct Line {
        int target = 0; // wire signal number, or output bit when is_output
        bool is_output = false;
        std::vector<int> terms;
    };
    int m = 0;
    int signals = 0;
    int outputs = 0;
    std::vector<Line> lines;
};

Netlist compile(const std::vector<Assign>& assigns, int m) {
    Netlist net;
    net.m = m;
    net.signals = m;
    std::map<std::string, int> wire_number;
    for (const Assign& a : assigns) {
        Netlist::Line line;
        for (const std::string& term : a.terms) {
            if (term == "0") {
                continue;
            }
            if (term.starts_with("mult_in[")) {
                line.terms.push_back(std::stoi(term.substr(8)));
            } else {
                const auto found = wire_number.find(term);
                EXPECT_NE(found, wire_number.end()) << term << " read before it is assigned";
                if (found != wire_number.end()) {
                    line.terms.push_back(found->second);
                }
            }
        }
        line.is_output = a.target.starts_with("mult_out[");
        if (line.is_output) {
            line.target = std::stoi(a.target.substr(9));
            net.outputs = std::max(net.outputs, line.target + 1);
        } else {
            EXPECT_TRUE(wire_number.emplace(a.target, net.signals).second)
                << a.target << " assigned twice";
            line.target = net.signals++;
        }
        net.lines.push_back(std::move(line));
    }
    return net;
}

// The output bits of the netlist for input symbol x.
std::vector<int> evaluate(const Netlist& net, int x) {
    std::vector<int> signal(static_cast<size_t>(net.signals), 0);
    for (int c = 0; c < net.m; ++c) {
        signal[static_cast<size_t>(c)] = (x >> c) & 1;
    }
    std::vector<int> out(static_cast<size_t>(net.outputs), -1);
    for (const Netlist::Line& line : net.lines) {
        int value = 0;
        for (const int term : line.terms) {
            value ^= signal[static_cast<size_t>(term)];
        }
        (line.is_output ? out : signal)[static_cast<size_t>(line.target)] = value;
    }
    return out;
}

// Both netlists of a code, run on every input symbol: each slice must hold
// the input times its coefficient, and every wire is declared once.
void check_netlists(int m, int poly, int first_root, int rootspace, int r) {
    SCOPED_TRACE("m " + std::to_string(m) + " r " + std::to_string(r));
    const auto field = build_field(m, poly);
    const auto gen = rs::generator_polynomial(field, first_root, rootspace, r);
    const auto logs = rs::gen_poly_logs(field, gen);
    const Shared shared = shared_text(field, logs);
    const auto shared_assigns = parse_assigns(shared.assigns);
    const Netlist shared_net = compile(shared_assigns, m);
    const Netlist plain_net = compile(parse_assigns(plain_text(field, logs)), m);
    StringSink minimal;
    write_minimal_multiplier(minimal, field, logs);
    const Netlist minimal_net = compile(parse_assigns(minimal.text()), m);

    std::set<std::string> declared;
    std::istringstream wire_lines(shared.wires);
    std::string keyword;
    std::string name;
    std::string semicolon;
    while (wire_lines >> keyword >> name >> semicolon) {
        ASSERT_EQ(keyword, "wire");
        ASSERT_EQ(semicolon, ";");
        EXPECT_TRUE(declared.insert(name).second);
    }
    std::set<std::string> assigned;
    for (const Assign& a : shared_assigns) {
        if (!a.target.starts_with("mult_out")) {
            assigned.insert(a.target);
        }
    }
    EXPECT_EQ(declared, assigned);

    for (int x = 0; x <= field.nlong; ++x) {
        const auto shared_out = evaluate(shared_net, x);
        const auto plain_out = evaluate(plain_net, x);
        ASSERT_EQ(shared_out.size(), static_cast<size_t>(r * m));
        ASSERT_EQ(shared_out, plain_out) << "input " << x;
        ASSERT_EQ(evaluate(minimal_net, x), plain_out) << "minimal style, input " << x;
        ASSERT_EQ(std::count(shared_out.begin(), shared_out.end(), -1), 0) << "unassigned bit";
        for (int i = 0; i < r; ++i) {
            const int coefficient = gen[static_cast<size_t>(i)];
            const int product = x == 0 || coefficient == 0
                                    ? 0
                                    : field.power(field.gf_log[static_cast<size_t>(x)] +
                                                  field.gf_log[static_cast<size_t>(coefficient)]);
            int slice = 0;
            for (int j = 0; j < m; ++j) {
                slice |= shared_out.at(static_cast<size_t>((r - 1 - i) * m + j)) << j;
            }
            ASSERT_EQ(slice, product) << "input " << x << " coefficient " << i;
        }
    }
}

TEST(EncoderMultiplier, EveryStyleComputesEveryProductOnEveryInput) {
    check_netlists(2, 7, 0, 1, 2);
    check_netlists(3, 11, 1, 1, 4);
    check_netlists(4, 19, 1, 1, 4);
    check_netlists(5, 37, 0, 3, 6);
    check_netlists(6, 67, 3, 5, 10);
    check_netlists(8, 285, 0, 1, 16);
    check_netlists(8, 285, 120, 11, 32);
    check_netlists(8, 285, 0, 0, 3); // (x + 1)^3 has no zero coefficient
    check_netlists(8, 285, 0, 0, 2); // x^2 + 1: a zero slice
    check_netlists(9, 529, 0, 1, 8);
    check_netlists(10, 1033, 2, 3, 12);
    check_netlists(11, 2053, 0, 1, 6);
    check_netlists(12, 4179, 1, 1, 8);
}

// The minimal style against its lower bound (distinct output rows of weight
// two or more, each needing a gate of its own), and its size and depth:
// the codes of the encoder's benchmarks.
TEST(EncoderMultiplier, MinimalStyleReachesTheLowerBound) {
    struct Code {
        int m, poly, first_root, rootspace, r, gap, max_depth;
    };
    const Code codes[] = {
        {4, 19, 0, 1, 4, 0, 2},      {8, 285, 0, 1, 16, 0, 4},    {8, 285, 0, 1, 32, 0, 3},
        {8, 391, 112, 11, 32, 0, 3}, {12, 4179, 0, 1, 512, 0, 4},
    };
    for (const Code& c : codes) {
        const auto field = build_field(c.m, c.poly);
        const auto logs = rs::gen_poly_logs(
            field, rs::generator_polynomial(field, c.first_root, c.rootspace, c.r));
        const XorProgram program = minimal_xor_program(multiplier_bank_rows(field, logs), c.m);
        std::printf("m %d poly %d roots %d/%d r %d: %d gates, bound %d, depth %d\n", c.m, c.poly,
                    c.first_root, c.rootspace, c.r, program.gate_count(), program.lower_bound,
                    program.max_depth());
        EXPECT_EQ(program.gate_count() - program.lower_bound, c.gap) << "r " << c.r;
        EXPECT_LE(program.max_depth(), c.max_depth) << "r " << c.r;
    }
    // A lone row of weight four is three gates away from the inputs: two
    // helper terms, then the target, each gate the XOR of its operands.
    const XorProgram program = minimal_xor_program({0b1111}, 4);
    ASSERT_EQ(program.gate_count(), 3);
    EXPECT_EQ(program.lower_bound, 1);
    for (int g = 0; g < 3; ++g) {
        const auto [a, b] = program.operands[static_cast<size_t>(g)];
        EXPECT_EQ(program.value[static_cast<size_t>(4 + g)],
                  program.value[static_cast<size_t>(a)] ^ program.value[static_cast<size_t>(b)]);
    }
    EXPECT_EQ(program.signal_of(0b1111), 6);
    EXPECT_EQ(program.max_depth(), 2);
}

} // namespace
} // namespace ipgen::rsenc
