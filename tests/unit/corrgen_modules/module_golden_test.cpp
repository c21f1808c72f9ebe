// Whole-module comparisons for two complete decoder configurations. The
// expected files under tests/data/corrgen_modules/<configuration>/ are the
// modules as corrgen writes them below an empty header.v.
#include "generators/corrgen/chien_search.hpp"
#include "generators/corrgen/decoder_params.hpp"
#include "generators/corrgen/error_magnitude.hpp"
#include "generators/corrgen/mastrovito.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ipgen::rs {
namespace {

struct Configuration {
    const char* folder;
    std::vector<std::string> switches;
};

const std::vector<Configuration>& configurations() {
    static const std::vector<Configuration> all = {
        // Unshortened, with erasures and every option bit.
        {"rs255_239_e4_o63", {"-w", "8", "-n", "255", "-k", "239", "-f", "285", "-g", "0",
                              "-h", "1", "-e", "4",   "-y", "1",   "-o", "63",  "-c", "1"}},
        // Shortened, first root 112 and root spacing 11 over x^8+x^7+x^2+x+1.
        {"rs204_188_f391_g112_h11", {"-w", "8",  "-n", "204", "-k", "188", "-f", "391", "-g", "112",
                                     "-h", "11", "-e", "0",   "-y", "0",   "-o", "0",   "-c", "0"}},
    };
    return all;
}

TEST(ModuleGoldenFiles, MatchForBothConfigurations) {
    for (const Configuration& config : configurations()) {
        const SwitchScan scan = scan_switches(config.switches, decoder_switch_letters);
        validate_decoder_switches(scan);
        const DecoderParams params = derive_decoder_params(scan);
        const GaloisField field = build_field(params.symbol_width, params.field_poly);
        StringSink mastrovito;
        StringSink chiensearch;
        StringSink errmag;
        write_mastrovito(mastrovito, field);
        write_chien_search(chiensearch, params, field);
        write_error_magnitude(errmag, params, field);
        const std::string folder = std::string("corrgen_modules/") + config.folder + "/";
        EXPECT_EQ(mastrovito.text(),
                  test::expected_file(folder + "mastrovito.v", mastrovito.text()))
            << config.folder;
        EXPECT_EQ(chiensearch.text(),
                  test::expected_file(folder + "chiensearch.v", chiensearch.text()))
            << config.folder;
        EXPECT_EQ(errmag.text(), test::expected_file(folder + "errmag.v", errmag.text()))
            << config.folder;
    }
}

} // namespace
} // namespace ipgen::rs
