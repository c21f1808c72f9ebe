#include "c_library_reference.hpp"
#include "generators/common/fatal_error.hpp"
#include "generators/trellgen/user_params.hpp"
#include "test_files.hpp"

#include <gtest/gtest.h>
#include <random>

namespace ipgen::viterbi {
namespace {

// The fields as one comparable tuple.
auto fields(const ViterbiUserParams& p) {
    return std::make_tuple(p.cons_length, p.code_rate, p.gp, p.soft_decision, p.soft_width,
                           p.sdd_unsigned, p.punctured, p.pb_size, p.pp0, p.pp1, p.tb_length,
                           p.hybrid, p.hybrid_index, p.ber_present, p.ber_period, p.ber_rate);
}

ViterbiUserParams parse(const std::string& text) {
    return parse_user_params(text).params;
}

const char* const well_formed = "7    // constraint length\n"
                                "2    // number of polynomials\n"
                                "171  // GP0\n"
                                "133  // GP1\n"
                                "1    // soft decision\n"
                                "3    // soft width\n"
                                "1    // unsigned\n"
                                "1    // punctured\n"
                                "4    // puncture block\n"
                                "1101 // PP0\n"
                                "1011 // PP1\n"
                                "64   // traceback\n"
                                "1    // hybrid\n"
                                "2    // hybrid index\n"
                                "1    // BER monitor\n"
                                "10   // BER period\n";

TEST(UserParams, ReadsEveryItemOfAWellFormedFile) {
    const ViterbiUserParams p = parse(well_formed);
    EXPECT_EQ(p.cons_length, 7);
    EXPECT_EQ(p.code_rate, 2);
    EXPECT_EQ(p.gp, (std::array<int, 3>{171, 133, 0}));
    EXPECT_EQ(p.soft_decision, 1);
    EXPECT_EQ(p.soft_width, 3);
    EXPECT_EQ(p.sdd_unsigned, 1);
    EXPECT_EQ(p.punctured, 1);
    EXPECT_EQ(p.pb_size, 4);
    EXPECT_EQ(p.pp0, "1101");
    EXPECT_EQ(p.pp1, "1011");
    EXPECT_EQ(p.tb_length, 64);
    EXPECT_EQ(p.hybrid, 1);
    EXPECT_EQ(p.hybrid_index, 2);
    EXPECT_EQ(p.ber_present, 1);
    EXPECT_EQ(p.ber_period, 10);
    EXPECT_EQ(p.ber_rate, 1023u);
    EXPECT_EQ(p.device, 0);
}

TEST(UserParams, AbsentItemsStayZero) {
    // Hard decision: the punctured flag follows the soft-decision flag.
    const ViterbiUserParams p = parse("5 // K\n1 // n\n23 // GP0\n0 // hard\n0 // not punctured\n"
                                      "32 // TB\n0 // parallel\n0 // no BER\n");
    EXPECT_EQ(p.cons_length, 5);
    EXPECT_EQ(p.gp[0], 23);
    EXPECT_EQ(p.soft_width, 0);
    EXPECT_EQ(p.sdd_unsigned, 0);
    EXPECT_EQ(p.punctured, 0);
    EXPECT_EQ(p.pb_size, 0);
    EXPECT_EQ(p.pp0, "");
    EXPECT_EQ(p.tb_length, 32);
    EXPECT_EQ(p.ber_rate, 0u);
}

TEST(UserParams, ValueAloneOnAnEarlyLineSwallowsTheNextLine) {
    // "%d\n" skips the line end, so the discard takes the polynomial line
    // and every later item moves up by one line.
    const ViterbiUserParams p =
        parse("7\n2 // n\n171 // GP0\n133 // GP1\n0 // hard\n0 // punct\n64\n0\n0\n");
    EXPECT_EQ(p.cons_length, 7);
    EXPECT_EQ(p.code_rate, 171);
    EXPECT_EQ(p.gp[0], 133);
    EXPECT_EQ(p.gp[1], 0);
    EXPECT_EQ(p.gp[2], 0);
}

TEST(UserParams, CommentOnlyLineIsTakenAsTheItemsLine) {
    const ViterbiUserParams p = parse("// a heading\n7 // K\n2 // n\n");
    EXPECT_EQ(p.cons_length, 0);
    EXPECT_EQ(p.code_rate, 7);
    EXPECT_EQ(p.gp[0], 2);
    // Blank lines before an item are skipped by its conversion.
    EXPECT_EQ(parse("\n\n  \n7 // K\n").cons_length, 7);
}

TEST(UserParams, ValuesAloneOnTheLastFiveLinesAreReadCorrectly) {
    const ViterbiUserParams p =
        parse("7 // K\n1 // n\n171 // GP0\n0 // hard\n0 // punct\n100\n1\n3\n1\n32\n");
    EXPECT_EQ(p.tb_length, 100);
    EXPECT_EQ(p.hybrid, 1);
    EXPECT_EQ(p.hybrid_index, 3);
    EXPECT_EQ(p.ber_present, 1);
    EXPECT_EQ(p.ber_period, 32);
    EXPECT_EQ(p.ber_rate, 4294967295u);
}

TEST(UserParams, PolynomialWithLeadingZeroKeepsItsDigits) {
    EXPECT_EQ(parse("7 // K\n1 // n\n0171 // GP0\n").gp[0], 171);
}

TEST(UserParams, FileThatEndsEarlyLeavesTheRestZero) {
    const ViterbiUserParams p = parse("7 // K\n2 // n\n171");
    EXPECT_EQ(p.gp[0], 171);
    EXPECT_EQ(fields(p), fields(parse("7 // K\n2 // n\n171 // GP0\n")));
    EXPECT_EQ(fields(parse("")), fields(ViterbiUserParams{}));
}

TEST(UserParams, HybridIndexIsZeroWithoutHybridFlagOne) {
    const ViterbiUserParams p =
        parse("7 // K\n1 // n\n171 // GP0\n0 // hard\n0 // punct\n64\n2\n5\n");
    EXPECT_EQ(p.hybrid, 2);
    EXPECT_EQ(p.hybrid_index, 0);
    EXPECT_EQ(p.ber_present, 5); // the would-be index is the BER flag
}

TEST(UserParams, LongRemainderOfALineIsReadAsTheNextItem) {
    // The discard takes 99 characters; what is left of the line comes next.
    const std::string line1 = "7 " + std::string(99, '/') + "12 more\n";
    const ViterbiUserParams p = parse(line1 + "2 // n\n");
    EXPECT_EQ(p.cons_length, 7);
    EXPECT_EQ(p.code_rate, 12);
}

TEST(UserParams, MorePolynomialsOrLongerPatternsThanTheRecordHolds) {
    const ViterbiUserParams many = parse("7 // K\n5 // n\n1 // a\n2 // b\n3 // c\n4 // d\n5 // e\n"
                                         "1 // soft\n");
    EXPECT_EQ(many.gp, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(many.soft_decision, 1);
    // A huge count at the end of the file stops reading at once.
    EXPECT_EQ(parse("7 // K\n2147483647 // n\n").code_rate, 2147483647);

    const std::string pattern(300, '1');
    const ViterbiUserParams longer =
        parse("7 // K\n1 // n\n171 // GP0\n0 // hard\n1 // punct\n4 // PB\n" + pattern +
              " // PP0\n0101 // PP1\n");
    EXPECT_EQ(longer.pp0, pattern);
    EXPECT_EQ(longer.pp1, "0101");
}

TEST(UserParams, FirstNumberBeyondIntIsNoted) {
    const UserParamsReading r =
        parse_user_params("7 // K\n1 // n\n171 // GP0\n0 // hard\n0 // punct\n"
                          "99999999999\n0\n0\n-99999999999\n");
    ASSERT_TRUE(r.out_of_range.has_value());
    EXPECT_EQ(r.out_of_range->item, "traceback length");
    EXPECT_EQ(r.out_of_range->text, "99999999999");
    EXPECT_FALSE(parse_user_params(well_formed).out_of_range.has_value());
}

TEST(UserParams, BerRateIsTwoToThePeriodMinusOne) {
    EXPECT_EQ(ber_rate_for(1), 1u);
    EXPECT_EQ(ber_rate_for(10), 1023u);
    EXPECT_EQ(ber_rate_for(31), 2147483647u);
    EXPECT_EQ(ber_rate_for(32), 4294967295u);
    EXPECT_EQ(ber_rate_for(0), 0u);
    EXPECT_EQ(ber_rate_for(-5), 0u);
    EXPECT_EQ(ber_rate_for(40), 4294967295u);
}

TEST(UserParams, MissingOrUnreadableFileEndsTheRun) {
    ipgen::test::TempDir dir;
    for (const std::string& path : {dir.file("viterbi_params.v"), dir.path()}) {
        try {
            read_user_params(path);
            FAIL() << "expected a FatalError for " << path;
        } catch (const FatalError& error) {
            EXPECT_EQ(error.message(), "Error ! viterbi_params.v not existed\n");
            EXPECT_EQ(error.status(), -1);
        }
    }
    ipgen::test::write_file(dir.file("viterbi_params.v"), well_formed);
    EXPECT_EQ(fields(read_user_params(dir.file("viterbi_params.v")).params),
              fields(parse(well_formed)));
}

// The reading done with the C library: one fscanf per item, each followed by
// fgets into 100 bytes.
ViterbiUserParams read_with_c_library(const std::string& bytes) {
    ViterbiUserParams p;
    test::MemoryStream in(bytes);
    std::FILE* f = in.get();
    char rest[100];
    char pattern[400];
    const auto discard = [&] { std::fgets(rest, sizeof rest, f); };
    const auto int_line = [&](int& field) {
        std::fscanf(f, "%d\n", &field);
        discard();
    };
    const auto int_item = [&](int& field) {
        std::fscanf(f, "%d", &field);
        discard();
    };
    const auto word = [&](std::string& field) {
        if (std::fscanf(f, "%399s", pattern) == 1) {
            field = pattern;
        }
        discard();
    };
    int_line(p.cons_length);
    int_line(p.code_rate);
    for (int i = 0; i < p.code_rate; ++i) {
        int polynomial = 0;
        int_line(polynomial);
        if (i < 3) {
            p.gp[static_cast<std::size_t>(i)] = polynomial;
        }
    }
    int_line(p.soft_decision);
    if (p.soft_decision == 1) {
        int_line(p.soft_width);
        int_line(p.sdd_unsigned);
    }
    int_line(p.punctured);
    if (p.punctured == 1) {
        int_line(p.pb_size);
        word(p.pp0);
        word(p.pp1);
    }
    int_item(p.tb_length);
    int_item(p.hybrid);
    if (p.hybrid == 1) {
        int_item(p.hybrid_index);
    }
    int_item(p.ber_present);
    if (p.ber_present == 1) {
        int_item(p.ber_period);
        p.ber_rate = ber_rate_for(p.ber_period);
    }
    return p;
}

// Random files made of the line shapes users write (values with comments,
// values alone, comment-only and blank lines, long comments, patterns,
// missing final line end) read exactly as the C library reads them.
TEST(UserParams, MatchesTheCLibraryOnRandomFiles) {
    std::mt19937 random(3);
    const auto number = [&] { return std::to_string(static_cast<int>(random() % 12) - 1); };
    for (int round = 0; round < 1500; ++round) {
        std::string bytes;
        const int lines = static_cast<int>(random() % 20);
        for (int i = 0; i < lines; ++i) {
            switch (random() % 9) {
            case 0:
                bytes += number() + "\n";
                break;
            case 1:
                bytes += "// only a comment\n";
                break;
            case 2:
                bytes += "\n";
                break;
            case 3:
                bytes +=
                    number() + " " + std::string(90 + random() % 20, '-') + " " + number() + "\n";
                break;
            case 4:
                bytes += (random() % 2 ? "1101" : "10 1") + std::string("  // pattern\n");
                break;
            case 5:
                bytes += "  " + number() + "\t// indented\r\n";
                break;
            default:
                bytes += number() + "    // value\n";
                break;
            }
        }
        if (random() % 4 == 0) {
            bytes += number();
        }
        if (bytes.empty()) {
            continue;
        }
        SCOPED_TRACE("input:\n" + bytes);
        EXPECT_EQ(fields(parse(bytes)), fields(read_with_c_library(bytes)));
    }
}

// The text written for a record reads back as that record, every optional
// item present or absent; a reading that dropped or shifted an item would
// move every later value.
TEST(UserParams, TextOfARecordReadsBackAsTheRecord) {
    std::mt19937 rng(5);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    for (int run = 0; run < 200; ++run) {
        ViterbiUserParams p;
        p.cons_length = pick(3, 9);
        p.code_rate = pick(1, 3);
        for (int i = 0; i < p.code_rate; ++i) {
            p.gp[static_cast<size_t>(i)] = pick(1, 777);
        }
        p.soft_decision = pick(0, 1);
        if (p.soft_decision == 1) {
            p.soft_width = pick(1, 16);
            p.sdd_unsigned = pick(0, 1);
        }
        p.punctured = pick(0, 1);
        if (p.punctured == 1) {
            p.pb_size = pick(1, 14);
            for (int i = 0; i < p.pb_size; ++i) {
                p.pp0 += static_cast<char>('0' + pick(0, 1));
                p.pp1 += static_cast<char>('0' + pick(0, 1));
            }
        }
        p.tb_length = pick(1, 1024);
        p.hybrid = pick(0, 1);
        p.hybrid_index = p.hybrid == 1 ? pick(0, p.cons_length - 1) : 0;
        p.ber_present = pick(0, 1);
        if (p.ber_present == 1) {
            p.ber_period = pick(1, 32);
            p.ber_rate = ber_rate_for(p.ber_period);
        }
        const UserParamsReading read = parse_user_params(user_params_text(p));
        EXPECT_FALSE(read.out_of_range);
        EXPECT_EQ(fields(read.params), fields(p)) << user_params_text(p);
    }
}

} // namespace
} // namespace ipgen::viterbi
