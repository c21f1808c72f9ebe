#include "generators/trellgen/derived_values.hpp"

#include "generators/common/bit_width.hpp"

#include <limits>

namespace ipgen::viterbi {

namespace {

// 2^x; 0 for negative x, which only out-of-range input can give.
std::int64_t pow2(std::int64_t x) {
    return x < 0 || x > 62 ? 0 : std::int64_t{1} << x;
}

// Narrows each value to the 32-bit int of the define, noting the first one
// that does not fit.
class Narrower {
  public:
    explicit Narrower(std::optional<DerivedOverflow>& overflow) : overflow_(overflow) {}

    int operator()(const char* name, std::int64_t value) {
        if ((value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) &&
            !overflow_) {
            overflow_ = DerivedOverflow{name, value};
        }
        return static_cast<int>(static_cast<std::uint32_t>(value));
    }

  private:
    std::optional<DerivedOverflow>& overflow_;
};

} // namespace

int memory_count(int device, int cons_length) {
    // Rows K = 6 to 9; every K of 5 or less needs one block.
    static constexpr int by_device[3][4] = {
        {2, 4, 8, 16}, // another vendor's device
        {1, 1, 2, 3},  // Quarry: three blocks, not four, at K = 9
        {1, 2, 4, 8},  // Quarry KESTREL 4
    };
    if (cons_length <= 5) {
        return 1;
    }
    if (cons_length > 9 || device < 0 || device > 2) {
        return 0;
    }
    return by_device[device][cons_length - 6];
}

Derivation derive_values(const ViterbiUserParams& p) {
    Derivation result;
    ViterbiDerived& d = result.values;
    Narrower narrow(result.overflow);

    const std::int64_t k = p.cons_length;
    const std::int64_t n = p.code_rate;
    const std::int64_t hi = p.hybrid_index;
    const std::int64_t sw = p.soft_width;
    const std::int64_t pb = p.pb_size;
    const std::int64_t tb = p.tb_length;
    const bool hybrid = p.hybrid != 0;

    const std::int64_t num_states = pow2(k - 1);
    const std::int64_t num_acsp = hybrid ? pow2(k - hi - 1) : pow2(k - 1);
    const std::int64_t num_bmup = hybrid ? pow2(k - hi) : pow2(k);
    const std::int64_t din_width = p.soft_decision == 1 ? sw : 1;
    const std::int64_t bm_width = p.soft_decision == 1 ? n + sw - 1 : 2;
    const std::int64_t num_metrics = pow2(n);
    const std::int64_t num_din = p.punctured == 1 ? 1 : n;
    const std::int64_t pm_width = p.soft_decision != 0 ? clog2((n * pow2(sw) - 1) * (2 * k - 1) + 1)
                                                       : clog2((pow2(n) - 1) * k + 1);

    d.k_1 = narrow("K_1", k - 1);
    d.num_states = narrow("NUM_STATES", num_states);
    if (hybrid) {
        d.k_1_c = narrow("K_1_C", k - hi - 1);
        d.k_c = narrow("K_C", k - hi);
    }
    d.num_acsp = narrow("NUM_ACSP", num_acsp);
    d.acsp_width = narrow("ACSP_WIDTH", hybrid ? k - hi : k);
    d.num_bmup = narrow("NUM_BMUP", num_bmup);
    d.proc_cycles = narrow("PROC_CYCLES", hybrid ? pow2(hi) : 1);
    d.din_width = narrow("DIN_WIDTH", din_width);
    d.bm_width = narrow("BM_WIDTH", bm_width);
    d.num_metrics = narrow("NUM_METRICS", num_metrics);
    d.metric_width = narrow("METRIC_WIDTH", num_metrics * bm_width);
    d.num_din = narrow("NUM_DIN", num_din);
    d.dinbus_width = narrow("DINBUS_WIDTH", num_din * din_width);
    d.bmbus_width = narrow("BMBUS_WIDTH", num_bmup * bm_width);
    d.pmbus_width = narrow("PMBUS_WIDTH", num_states * pm_width);
    d.acsbus_width = narrow("ACSBUS_WIDTH", num_acsp * pm_width);
    d.sibus_width = narrow("SIBUS_WIDTH", num_states);
    d.encout_width = narrow("ENCOUT_WIDTH", n * num_bmup);
    d.pm_width = narrow("PM_WIDTH", pm_width);
    d.sm_data_width = narrow("SM_DATA_WIDTH", num_states);
    d.sm_addr_width = narrow("SM_ADDR_WIDTH", clog2(tb));
    if (p.device == 0) {
        d.prefix_width = narrow("PREFIX0", 8 - clog2(tb));
    }
    if (p.punctured == 1) {
        d.soft_width_1 = narrow("SOFT_WIDTH_1", sw - 1);
        d.pbcount_width = narrow("PBCOUNT_WIDTH", clog2(pb + 1));
    }
    if (p.ber_present == 1) {
        d.ber_rate = p.ber_rate;
        d.ber_rate_width = narrow("BER_RATE_WIDTH", p.ber_period);
        // Punctured: PB + 1 entries per puncture block and traceback;
        // otherwise one entry less than four tracebacks. A block size of 0
        // has no blocks.
        const std::int64_t dl_len =
            p.punctured != 0 ? 4 * (pb + 1) * (pb != 0 ? tb / pb : 0) + 1 : 4 * tb - 1;
        d.dl_len = narrow("DL_LEN", dl_len);
        d.dl_data_width = narrow("DL_DATA_WIDTH", p.punctured == 1 ? 1 : n);
        d.dl_addr_width = narrow("DL_ADDR_WIDTH", clog2(dl_len));
    }
    d.num_mem = memory_count(p.device, p.cons_length);
    return result;
}

} // namespace ipgen::viterbi
