#include "generators/trellgen/derived_values.hpp"

#include "generators/common/bit_width.hpp"
#include "viterbi_examples.hpp"

#include <cstdint>
#include <gtest/gtest.h>

namespace ipgen::viterbi {
namespace {

// L(x), the bits needed to count x items: the smallest c >= 0 with 2^c >= x.
TEST(DerivedValues, CountBits) {
    EXPECT_EQ(clog2(-3), 0);
    EXPECT_EQ(clog2(0), 0);
    EXPECT_EQ(clog2(1), 0);
    EXPECT_EQ(clog2(2), 1);
    EXPECT_EQ(clog2(3), 2);
    EXPECT_EQ(clog2(64), 6);
    EXPECT_EQ(clog2(65), 7);
    EXPECT_EQ(clog2(256), 8);
    EXPECT_EQ(clog2(257), 9);
    EXPECT_EQ(clog2(2147483647), 31);
    EXPECT_EQ(clog2(INT64_MAX), 63);
    // The binary digits of a value: the width of the erasure and error counters.
    EXPECT_EQ(bit_width(-1), 0);
    EXPECT_EQ(bit_width(0), 0);
    EXPECT_EQ(bit_width(1), 1);
    EXPECT_EQ(bit_width(8), 4);
    EXPECT_EQ(bit_width(255), 8);
}

TEST(DerivedValues, MemoryCountTable) {
    const int expected[5][3] = {{1, 1, 1}, {2, 1, 1}, {4, 1, 2}, {8, 2, 4}, {16, 3, 8}};
    for (int device = 0; device <= 2; ++device) {
        EXPECT_EQ(memory_count(device, 3), 1);
        for (int k = 5; k <= 9; ++k) {
            EXPECT_EQ(memory_count(device, k), expected[k - 5][device]) << device << " " << k;
        }
        EXPECT_EQ(memory_count(device, 10), 0);
    }
}

TEST(DerivedValues, ParallelExample) {
    const Derivation r = derive_values(test::parallel_example());
    EXPECT_FALSE(r.overflow.has_value());
    const ViterbiDerived& d = r.values;
    EXPECT_EQ(d.k_1, 6);
    EXPECT_EQ(d.num_states, 64);
    EXPECT_EQ(d.num_acsp, 64);
    EXPECT_EQ(d.acsp_width, 7);
    EXPECT_EQ(d.num_bmup, 128);
    EXPECT_EQ(d.proc_cycles, 1);
    EXPECT_EQ(d.din_width, 3);
    EXPECT_EQ(d.bm_width, 4);
    EXPECT_EQ(d.num_metrics, 4);
    EXPECT_EQ(d.metric_width, 16);
    EXPECT_EQ(d.num_din, 2);
    EXPECT_EQ(d.dinbus_width, 6);
    EXPECT_EQ(d.bmbus_width, 512);
    EXPECT_EQ(d.pmbus_width, 512);
    EXPECT_EQ(d.acsbus_width, 512);
    EXPECT_EQ(d.sibus_width, 64);
    EXPECT_EQ(d.encout_width, 256);
    EXPECT_EQ(d.pm_width, 8);
    EXPECT_EQ(d.sm_data_width, 64);
    EXPECT_EQ(d.sm_addr_width, 6);
    EXPECT_EQ(d.prefix_width, 2);
    EXPECT_EQ(d.num_mem, 4);
}

TEST(DerivedValues, HybridExample) {
    const Derivation r = derive_values(test::hybrid_example());
    EXPECT_FALSE(r.overflow.has_value());
    const ViterbiDerived& d = r.values;
    EXPECT_EQ(d.k_1, 6);
    EXPECT_EQ(d.num_states, 64);
    EXPECT_EQ(d.k_1_c, 4);
    EXPECT_EQ(d.k_c, 5);
    EXPECT_EQ(d.num_acsp, 16);
    EXPECT_EQ(d.acsp_width, 5);
    EXPECT_EQ(d.num_bmup, 32);
    EXPECT_EQ(d.proc_cycles, 4);
    EXPECT_EQ(d.din_width, 3);
    EXPECT_EQ(d.bm_width, 4);
    EXPECT_EQ(d.num_din, 1);
    EXPECT_EQ(d.dinbus_width, 3);
    EXPECT_EQ(d.bmbus_width, 128);
    EXPECT_EQ(d.pmbus_width, 512);
    EXPECT_EQ(d.acsbus_width, 128);
    EXPECT_EQ(d.encout_width, 64);
    EXPECT_EQ(d.pm_width, 8);
    EXPECT_EQ(d.soft_width_1, 2);
    EXPECT_EQ(d.pbcount_width, 3);
    EXPECT_EQ(d.ber_rate, 1023u);
    EXPECT_EQ(d.ber_rate_width, 10);
    EXPECT_EQ(d.dl_len, 321);
    EXPECT_EQ(d.dl_data_width, 1);
    EXPECT_EQ(d.dl_addr_width, 9);
    EXPECT_EQ(d.num_mem, 2);
}

TEST(DerivedValues, HardDecisionPathMetric) {
    // L((2^n - 1) * K + 1) and two-bit branch metrics.
    ViterbiUserParams p = test::parallel_example();
    p.soft_decision = 0;
    p.soft_width = 0;
    const ViterbiDerived d = derive_values(p).values;
    EXPECT_EQ(d.din_width, 1);
    EXPECT_EQ(d.bm_width, 2);
    EXPECT_EQ(d.pm_width, 5); // L(22)
    p.code_rate = 3;
    EXPECT_EQ(derive_values(p).values.pm_width, 6); // L(50)
}

TEST(DerivedValues, DelayLineWithoutPuncturingIsOneLessThanFourTracebacks) {
    ViterbiUserParams p = test::parallel_example();
    p.ber_present = 1;
    p.ber_period = 32;
    p.ber_rate = 4294967295U;
    p.tb_length = 256;
    const ViterbiDerived d = derive_values(p).values;
    EXPECT_EQ(d.dl_len, 1023);
    EXPECT_EQ(d.dl_data_width, 2);
    EXPECT_EQ(d.dl_addr_width, 10);
    EXPECT_EQ(d.ber_rate, 4294967295u);
    EXPECT_EQ(d.ber_rate_width, 32);
}

TEST(DerivedValues, TracebackEdgesOfThePrefix) {
    ViterbiUserParams p = test::parallel_example();
    p.tb_length = 1;
    EXPECT_EQ(derive_values(p).values.sm_addr_width, 0);
    EXPECT_EQ(derive_values(p).values.prefix_width, 8);
    for (const int tb : {129, 200, 256}) {
        p.tb_length = tb;
        EXPECT_EQ(derive_values(p).values.prefix_width, 0) << tb;
    }
    p.device = 1;
    EXPECT_EQ(derive_values(p).values.prefix_width, 0);
}

TEST(DerivedValues, OverflowingValueIsNamed) {
    ViterbiUserParams p = test::hybrid_example();
    p.pb_size = 1;
    p.tb_length = 268435456; // 8 * TB + 1 is 2^31 + 1
    const Derivation r = derive_values(p);
    ASSERT_TRUE(r.overflow.has_value());
    EXPECT_EQ(r.overflow->name, "DL_LEN");
    EXPECT_EQ(r.overflow->value, 2147483649LL);
    p.tb_length = 268435455;
    EXPECT_FALSE(derive_values(p).overflow.has_value());
    EXPECT_EQ(derive_values(p).values.dl_len, 2147483641);
}

} // namespace
} // namespace ipgen::viterbi
