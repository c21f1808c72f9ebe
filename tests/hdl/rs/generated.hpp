// The configurations of the hardware checks and the generator runs that
// produce their Verilog, each in a directory of its own.
#pragma once

#include "hdl_tools.hpp"
#include "program_runner.hpp"
#include "rs_model.hpp"
#include "test_files.hpp"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace ipgen::hdl {

struct DecoderConfig {
    std::string name; // a test-name suffix
    int m;
    int field_poly;
    int n;
    int k;
    int first_root;
    int rootspace;
    int erasures;
    int sync_mode;
    int option_bits;
    int ccsds;

    int r() const { return n - k; }
    int nlong() const { return (1 << m) - 1; }
    int header_t() const { return (r() + erasures) / 2; } // TPLUSMAXROBY2
    bool sync_reset() const { return (option_bits & 2) != 0; }
    bool failpin() const { return (option_bits & 32) != 0; }
    RsCode code() const { return RsCode{Gf(m, field_poly), n, k, first_root, rootspace}; }
    std::vector<std::string> args() const;
};

// RS(255,239) over 285, RS(204,188), the 391 code with first root 112 and
// root spacing 11, GF(16) RS(15,11), GF(2^10) and GF(2^12) codes, decoders
// with erasures (r and e both odd among them), every option bit, both sync
// modes.
const std::vector<DecoderConfig>& decoder_matrix();

struct EncoderConfig {
    std::string name;
    int m;
    int field_poly;
    int n;
    int k;
    int first_root;
    int rootspace;

    int r() const { return n - k; }
    int nlong() const { return (1 << m) - 1; }
    RsCode code() const { return RsCode{Gf(m, field_poly), n, k, first_root, rootspace}; }
    // mult_style 1: shared terms, otherwise the plain netlist.
    std::vector<std::string> args(int mult_style) const;
};

const std::vector<EncoderConfig>& encoder_matrix();

// A generator run in a fresh directory holding a header.v.
class GeneratorRun {
  public:
    GeneratorRun(const std::string& program, const std::vector<std::string>& args);
    const std::string& dir() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    bool has(const std::string& name) const { return test::file_exists(file(name)); }
    const test::RunResult& result() const { return result_; }

  private:
    test::TempDir dir_;
    test::RunResult result_;
};

std::unique_ptr<GeneratorRun> run_corrgen(const DecoderConfig& config);
// Empty when paritygen is not part of this build.
std::unique_ptr<GeneratorRun> run_paritygen(const EncoderConfig& config, int mult_style);
bool paritygen_built();

// A combinational check: `vectors` are the hexadecimal lines {input,
// expected output}; the bench drives `in`, waits, compares `out`, and
// prints "CHECKED <count> ERRORS <count>" (and the first mismatches).
ToolResult check_combinational(const std::string& dir, const std::vector<std::string>& sources,
                               const std::string& instance, int in_width, int out_width,
                               const std::vector<std::string>& vectors);

// "CHECKED <count> ERRORS 0" for `count` vectors.
std::string all_checked(std::size_t count);

} // namespace ipgen::hdl

namespace ipgen::hdl {
// gtest names a parameter by its configuration.
inline void PrintTo(const DecoderConfig& config, std::ostream* out) {
    *out << config.name;
}
inline void PrintTo(const EncoderConfig& config, std::ostream* out) {
    *out << config.name;
}
} // namespace ipgen::hdl
