#include "generators/trellgen/parameters_file.hpp"

#include "generators/common/fatal_error.hpp"
#include "generators/common/output_file.hpp"

namespace ipgen::viterbi {

namespace {

constexpr const char* separator =
    "// ----------------------------------------------------------------------------\n";

void write_section_title(TextSink& out, const char* title) {
    out.write(separator);
    out.write(title);
    out.write(separator);
}

// `count` copies of `digit`; none for a count of zero or less.
void write_digits(TextSink& out, const char* digit, int count) {
    for (int i = 0; i < count; ++i) {
        out.write(digit);
    }
}

void write_basic_defines(TextSink& out, const ViterbiUserParams& p) {
    write_section_title(
        out, "//                            Basic user defines                               \n");
    out.print("`define CONS_LENGTH      %d\n", p.cons_length);
    out.print("`define CODE_RATE        %d \n", p.code_rate);
    // The polynomials' digits are octal already: 171 becomes 7'o171.
    for (int i = 0; i < p.code_rate && i < max_polynomials; ++i) {
        out.print("`define GP%d              %d'o%d\n", i, p.cons_length,
                  p.gp[static_cast<std::size_t>(i)]);
    }
    if (p.soft_decision != 0) {
        out.write("`define SOFT_DECISION\n");
        out.print("`define SOFT_WIDTH       %d\n", p.soft_width);
        out.write(p.sdd_unsigned != 0 ? "`define SDD_UNSIGNED\n" : "`define SDD_SIGNED\n");
    } else {
        out.write("`define HARD_DECISION\n");
    }
    if (p.punctured == 1) {
        out.write("`define PUNCTURED\n");
        out.print("`define PB_SIZE          %d\n", p.pb_size);
        out.print("`define PP0              %d'b%s\n", p.pb_size, p.pp0.c_str());
        out.print("`define PP1              %d'b%s\n", p.pb_size, p.pp1.c_str());
    } else {
        out.write("`define NON_PUNCTURED\n");
    }
    out.print("`define TB_LENGTH        %d\n", p.tb_length);
    if (p.hybrid != 0) {
        out.write("`define IMP_HYBRID\n");
        out.print("`define HYBRID_INDEX     %d\n", p.hybrid_index);
    } else {
        out.write("`define IMP_PARALLEL\n");
    }
    if (p.ber_present == 1) {
        out.write("`define BER_PRESENT\n");
        out.print("`define BER_PERIOD         %ld\n", static_cast<long>(p.ber_period));
    }
    switch (p.device) {
    case 0:
        out.write("`define NONQUARRY_DEVICE\n");
        break;
    case 1:
        out.write("`define QUARRY_DEVICE\n");
        break;
    case 2:
        out.write("`define KESTREL4_DEVICE\n");
        break;
    default:
        break;
    }
}

void write_derived_defines(TextSink& out, const ViterbiUserParams& p, const ViterbiDerived& d) {
    write_section_title(
        out, "//                              Derived defines                                \n");
    out.print("`define K_1              %d\n", d.k_1);
    out.print("`define NUM_STATES       %d\n", d.num_states);
    if (p.hybrid != 0) {
        out.print("`define K_1_C            %d\n", d.k_1_c);
        out.print("`define K_C              %d\n", d.k_c);
    }
    out.print("`define NUM_ACSP         %d\n", d.num_acsp);
    out.print("`define ACSP_WIDTH       %d\n", d.acsp_width);
    out.print("`define NUM_BMUP         %d\n", d.num_bmup);
    out.print("`define PROC_CYCLES      %d\n", d.proc_cycles);
    out.print("`define DIN_WIDTH        %d\n", d.din_width);
    out.print("`define BM_WIDTH         %d\n", d.bm_width);
    out.print("`define NUM_METRICS      %d\n", d.num_metrics);
    out.print("`define METRIC_WIDTH     %d\n", d.metric_width);
    out.print("`define NUM_DIN          %d\n", d.num_din);
    out.print("`define DINBUS_WIDTH     %d\n", d.dinbus_width);
    out.print("`define BMBUS_WIDTH      %d\n", d.bmbus_width);
    out.print("`define PMBUS_WIDTH      %d\n", d.pmbus_width);
    out.print("`define ACSBUS_WIDTH     %d\n", d.acsbus_width);
    out.print("`define SIBUS_WIDTH      %d\n", d.sibus_width);
    out.print("`define ENCOUT_WIDTH     %d\n", d.encout_width);
    out.print("`define PM_WIDTH         %d\n", d.pm_width);
    out.print("`define SM_DATA_WIDTH    %d\n", d.sm_data_width);
    out.print("`define SM_ADDR_WIDTH    %d\n", d.sm_addr_width);
    if (p.device == 0) {
        // The survivor memory's address prefixes: all zeros, and a one
        // followed by zeros, filling 8 bits together with the address.
        out.print("`define PREFIX0          %d'b", d.prefix_width);
        write_digits(out, "0", d.prefix_width);
        out.write("\n");
        out.print("`define PREFIX1          %d'b1", d.prefix_width);
        write_digits(out, "0", d.prefix_width - 1);
        out.write("\n");
    }
    if (p.punctured == 1) {
        out.print("`define SOFT_WIDTH_1     %d\n", d.soft_width_1);
        // The symbol a punctured position is filled with: mid-scale 0111..1
        // for unsigned soft symbols, zero for signed ones.
        if (p.sdd_unsigned != 0) {
            out.print("`define NULLBYTE         {1'b0,{%d{1'b1}}}\n", p.soft_width - 1);
        } else {
            out.print("`define NULLBYTE         {%d{1'b0}}\n", p.soft_width);
        }
        out.print("`define PBCOUNT_WIDTH    %d\n", d.pbcount_width);
    }
    if (p.ber_present == 1) {
        out.print("`define BER_RATE         %lu\n", static_cast<unsigned long>(d.ber_rate));
        out.print("`define BER_RATE_WIDTH   %d\n", d.ber_rate_width);
        out.print("`define DL_LEN           %d\n", d.dl_len);
        out.print("`define DL_DATA_WIDTH    %d\n", d.dl_data_width);
        out.print("`define DL_ADDR_WIDTH    %d\n", d.dl_addr_width);
    }
}

void write_enumerated_defines(TextSink& out, const ViterbiUserParams& p, const ViterbiDerived& d) {
    write_section_title(
        out, "//                            Enumerated defines                               \n");
    if (p.hybrid == 1) {
        out.print("`define K_EQ_%d\n", p.cons_length);
        out.print("`define HI_EQ_%d\n", p.hybrid_index);
    }
    if (p.device == 0) {
        if (p.cons_length == 3) {
            out.write("`define NUM_STATES_EQ_4\n");
        } else if (p.cons_length == 4) {
            out.write("`define NUM_STATES_EQ_8\n");
        } else if (p.cons_length >= 5) {
            out.write("`define NUM_STATES_GE_16\n");
        }
    }
    if (p.device == 2 && p.cons_length >= 6) {
        out.write("`define NUM_STATES_GE_32\n");
    }
    out.print("`define NUM_GP_EQ_%d \n", p.code_rate);
    for (int i = 0; i < d.num_bmup; ++i) {
        out.print("`define BMUP%d\n", i);
    }
    for (int i = 1; i <= d.num_mem; ++i) {
        out.print("`define NUM_MEM_%d\n", i);
    }
    if (p.ber_present == 1 && (p.device == 0 || p.device == 2) && d.dl_addr_width == 10) {
        out.write("`define DL_AW_EQ_10\n");
    }
}

} // namespace

void write_parameters(TextSink& out, const ViterbiUserParams& params, const ViterbiDerived& d) {
    out.write(separator);
    out.write("// ---------------------------- parameters.v ----------------------------------\n");
    out.write(separator);
    out.write("\n");
    write_basic_defines(out, params);
    write_derived_defines(out, params, d);
    write_enumerated_defines(out, params, d);
}

std::vector<NamedText> write(const ViterbiUserParams& params) {
    StringSink text;
    write_parameters(text, params, derive_values(params).values);
    return {{parameters_file_name, text.take()}};
}

void write_parameters_text(const std::string& text, const std::string& path) {
    OutputFile file(path);
    if (!file.is_open()) {
        throw FatalError("Error ! parameters.v cannot be open for write\n", -1);
    }
    file.write(text);
    if (!file.close()) {
        throw FatalError("Error ! parameters.v could not be written completely\n", -1);
    }
}

void write_parameters_file(const ViterbiUserParams& params, const ViterbiDerived& derived,
                           const std::string& path) {
    StringSink text;
    write_parameters(text, params, derived);
    write_parameters_text(text.text(), path);
}

} // namespace ipgen::viterbi
