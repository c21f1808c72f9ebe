#include "generated.hpp"

#include "program_runner.hpp"

namespace ipgen::hdl {

std::vector<std::string> DecoderConfig::args() const {
    return {"-w", std::to_string(m),           "-n", std::to_string(n),
            "-k", std::to_string(k),           "-f", std::to_string(field_poly),
            "-g", std::to_string(first_root),  "-h", std::to_string(rootspace),
            "-e", std::to_string(erasures),    "-y", std::to_string(sync_mode),
            "-o", std::to_string(option_bits), "-c", std::to_string(ccsds)};
}

const std::vector<DecoderConfig>& decoder_matrix() {
    // name, m, poly, n, k, first root, root spacing, erasures, sync, options, ccsds
    static const std::vector<DecoderConfig> matrix{
        {"rs255_239", 8, 285, 255, 239, 0, 1, 0, 0, 0, 0},
        {"rs204_188_clken", 8, 285, 204, 188, 0, 1, 0, 1, 1, 0},
        {"rs255_223_p391_g112_h11", 8, 391, 255, 223, 112, 11, 0, 0, 0, 1},
        {"gf16_rs15_11_syncrst", 4, 19, 15, 11, 1, 1, 0, 0, 2, 0},
        {"gf1024_shortened_failpin", 10, 1033, 700, 692, 3, 7, 0, 1, 32, 0},
        {"gf4096_rs4095_4089_counters", 12, 4179, 4095, 4089, 1, 1, 0, 0, 4 | 8 | 16, 0},
        {"rs255_239_e4_syncrst_failpin", 8, 285, 255, 239, 0, 1, 4, 0, 2 | 32, 0},
        {"gf8_rs7_4_e1", 3, 11, 7, 4, 0, 1, 1, 0, 0, 0},
        {"rs60_51_e3_g5_h7_all_options", 8, 285, 60, 51, 5, 7, 3, 1, 63, 0},
    };
    return matrix;
}

std::vector<std::string> EncoderConfig::args(int mult_style) const {
    return {"-n", std::to_string(n),
            "-k", std::to_string(k),
            "-w", std::to_string(m),
            "-f", std::to_string(field_poly),
            "-g", std::to_string(first_root),
            "-h", std::to_string(rootspace),
            "-p", "1",
            "-t", "0",
            "-c", "0",
            "-a", std::to_string(mult_style)};
}

const std::vector<EncoderConfig>& encoder_matrix() {
    // name, m, poly, n, k, first root, root spacing
    static const std::vector<EncoderConfig> matrix{
        {"rs255_239", 8, 285, 255, 239, 0, 1},
        {"rs204_188", 8, 285, 204, 188, 0, 1},
        {"rs255_223_p391_g112_h11", 8, 391, 255, 223, 112, 11},
        {"gf16_rs15_11", 4, 19, 15, 11, 1, 1},
        {"gf1024_shortened", 10, 1033, 700, 692, 3, 7},
        {"gf4096_shortened", 12, 4179, 300, 294, 1, 1},
    };
    return matrix;
}

namespace {
const char* const test_header = "// header of the hardware checks\n";
}

GeneratorRun::GeneratorRun(const std::string& program, const std::vector<std::string>& args) {
    test::write_file(dir_.file("header.v"), test_header);
    result_ = test::run_program(program, args, dir_.path());
}

std::unique_ptr<GeneratorRun> run_corrgen(const DecoderConfig& config) {
    return std::make_unique<GeneratorRun>(CORRGEN_PATH, config.args());
}

bool paritygen_built() {
#ifdef PARITYGEN_PATH
    return true;
#else
    return false;
#endif
}

std::unique_ptr<GeneratorRun>
run_paritygen_with([[maybe_unused]] const std::vector<std::string>& args) {
#ifdef PARITYGEN_PATH
    return std::make_unique<GeneratorRun>(PARITYGEN_PATH, args);
#else
    return nullptr;
#endif
}

std::unique_ptr<GeneratorRun> run_paritygen(const EncoderConfig& config, int mult_style) {
    return run_paritygen_with(config.args(mult_style));
}

ToolResult check_combinational(const std::string& dir, const std::vector<std::string>& sources,
                               const std::string& instance, int in_width, int out_width,
                               const std::vector<std::string>& vectors) {
    std::string lines;
    for (const std::string& line : vectors) {
        lines += line + "\n";
    }
    test::write_file(dir + "/vectors.hex", lines);
    const std::string iw = std::to_string(in_width);
    const std::string ow = std::to_string(out_width);
    const std::string count = std::to_string(vectors.size());
    test::write_file(
        dir + "/tb_comb.v",
        "`timescale 1ns/1ns\n"
        "module tb_comb;\n"
        "reg [" +
            iw + "+" + ow + "-1:0] vec [0:" + count +
            "-1];\n"
            "reg [" +
            iw +
            "-1:0] in;\n"
            "reg [" +
            ow +
            "-1:0] expected;\n"
            "wire [" +
            ow +
            "-1:0] out;\n"
            "integer i, errors;\n" +
            instance +
            "\n"
            "initial begin\n"
            "   $readmemh(\"vectors.hex\", vec);\n"
            "   errors = 0;\n"
            "   for (i = 0; i < " +
            count +
            "; i = i + 1) begin\n"
            "      {in, expected} = vec[i];\n"
            "      #1;\n"
            "      if (out !== expected) begin\n"
            "         errors = errors + 1;\n"
            "         if (errors <= 10)\n"
            "            $display(\"MISMATCH %0d in=%h out=%h expected=%h\", i, in, out, "
            "expected);\n"
            "      end\n"
            "   end\n"
            "   $display(\"CHECKED %0d ERRORS %0d\", i, errors);\n"
            "   $finish;\n"
            "end\n"
            "endmodule\n");
    std::vector<std::string> all = sources;
    all.push_back("tb_comb.v");
    return simulate(dir, all);
}

std::string all_checked(std::size_t count) {
    return "CHECKED " + std::to_string(count) + " ERRORS 0";
}

} // namespace ipgen::hdl
