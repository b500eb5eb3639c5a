// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/text/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace solvara {
namespace {

struct MaskedCase {
    double value;
    const char* mask;
    const char* text;
};

TEST(FormatMasked, WritesTheDigitsTheMaskAllows) {
    const MaskedCase cases[] = {
        {0, kMask9, "0.0"},
        {0.5, kMask9, ".5"},
        {-0.5, kMask9, "-.5"},
        {12, kMask9, "12.0"},
        {12.3456, kMask9, "12.3456"},
        {1.0 / 3, kMask9, ".333333333"},
        {2.0 / 3, kMask9, ".666666667"},
        {36.86989764584402, kMask9, "36.869897646"},
        {-12.25, kMask9, "-12.25"},
        {0.0000000001, kMask9, "0.0"},  // below 10^-9: zero
        {-0.0000000001, kMask9, "0.0"},
        {0.25, kMask9, ".25"},
        {1, kMask9, "1.0"},
        // What is cut off must reach 0.500001 of the last unit to round it up.
        {0.1234567895000004, kMask9, ".123456789"},
        {0.12345678950001, kMask9, ".12345679"},
        {2.0000000006, kMask9, "2.000000001"},
        {-2.0000000006, kMask9, "-2.000000001"},
        {0.9999999999, kMask9, "1.0"},  // the carry reaches the integer part
        {-0.9999999999, kMask9, "-1.0"},
        {36.86989764584402, kMask8, "36.86989765"},
        {9.999999999, kMask8, "10.0"},
        {123456789.25, kMask9, "123456789.25"},
        {1e20, kMask9, "100000000000000000000.0"},
        {-0.0, kMask9, "0.0"},
    };
    for (const MaskedCase& c : cases) {
        EXPECT_EQ(formatMasked(c.value, c.mask), c.text) << c.value << " with " << c.mask;
    }
}

TEST(FormatMasked, ValuesWithoutDigitsGiveAWordInsteadOfFailing) {
    EXPECT_EQ(formatMasked(std::numeric_limits<double>::quiet_NaN(), kMask9), "nan");
    EXPECT_EQ(formatMasked(std::numeric_limits<double>::infinity(), kMask9), "inf");
    EXPECT_EQ(formatMasked(-std::numeric_limits<double>::infinity(), kMask8), "-inf");
    EXPECT_EQ(formatMasked(std::numeric_limits<double>::max(), kMask8).size(), 311u);
}

TEST(PlainNumberText, IsSixteenSignificantDigitsWithoutTrailingZeros) {
    const std::pair<double, const char*> cases[] = {
        {30, "30"},
        {0, "0"},
        {-11, "-11"},
        {0.1 * 3, "0.3"},
        {90 - 12.345, "77.655"},
        {0.1 * 6, "0.6000000000000001"},
        {1.0 / 3, "0.3333333333333333"},
        {1e20, "1e+20"},
        {1.5e-7, "1.5e-07"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(plainNumberText(value), text) << value;
}

// The form nlohmann-json writes (each text below is its own), and the shortest digits that read
// back.
TEST(JsonNumber, ShortestDigitsInTheFormJsonWritersUse) {
    const std::pair<double, const char*> cases[] = {
        {12, "12.0"},
        {2.4, "2.4"},
        {0, "0.0"},
        {-0.0, "-0.0"},
        {-11.5, "-11.5"},
        {0.1 * 3, "0.30000000000000004"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00009, "9e-05"},
        {123456789012345, "123456789012345.0"},
        {999999999999999.9, "999999999999999.9"},
        {1e15, "1e+15"},
        {1.5e16, "1.5e+16"},
        {1.4142135623730951e154, "1.414213562373095e+154"},
        {2.5e-300, "2.5e-300"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
    };
    for (const auto& [value, text] : cases) {
        char written[32];
        EXPECT_EQ(std::string(written, writeJsonNumber(written, value)), text) << value;
    }
}

TEST(ParseNumber, ReadsTheLongestDecimalPrefix) {
    const std::pair<const char*, double> cases[] = {
        {"12.0", 12},
        {".5", 0.5},
        {"1.2.3", 1.2},
        {"", 0},
        {"0.0", 0},
        {"45", 45},
        {"00", 0},
        {"   7.25", 7.25},
        {"\t3", 3},
        {"   ", 0},
        {"-4.5x", -4.5},
        {"+2", 2},
        {"-", 0},
        {".", 0},
        {"5.", 5},
        {"1.5E2", 150},
        {"1.5e+2", 150},
        {"1.5D2", 150},
        {"25d-1", 2.5},
        {"3e", 3},  // an exponent letter without digits is not part of the number
        {"3e+", 3},
        {"3d 20m", 3},
        {"0x1A", 0},
        {"0X10", 0},
        {"inf", 0},
        {"nan", 0},
        {"abc", 0},
        {"&H1F", 31},
        {"&hff", 255},
        {"&O17", 15},
        {"&B101", 5},
        {"&B1012", 5},  // stops at the first digit outside the radix
        {"&", 0},
        {"&Z1", 0},
        {"12345678901234567890", 12345678901234567890.0},
        {"0.1", 0.1},
        {"1e-400", 0},
        {"0.0000e999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseNumber(text), value) << '"' << text << '"';
    EXPECT_EQ(parseNumber("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(parseNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

// A whole text is a number only when parseNumber takes every character of it.
TEST(ParseWholeNumber, TakesTextsThatAreAllNumber) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"3", 3},     {"2.5", 2.5},  {".5", 0.5},    {"1.5D2", 150}, {"25d-1", 2.5},
        {"&H1F", 31}, {" 7", 7},     {"-4", -4},     {"0", 0},       {"1e400", HUGE_VAL},
        {"", {}},     {" ", {}},     {".", {}},      {"3e", {}},     {"3e+", {}},
        {"3x", {}},   {"1.2.3", {}}, {"3 ", {}},     {"&H", {}},     {"&B1012", {}},
        {"abc", {}},  {"0x1A", {}},  {"3d 20m", {}}, {"inf", {}},    {"+", {}},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(parseWholeNumber(text), value) << '"' << text << '"';
}

TEST(NumberTexts, ExtremeValuesGiveTextsThatReadBack) {
    // The largest double's sixteen-digit text lies beyond it and reads back as infinity.
    EXPECT_EQ(parseNumber(plainNumberText(std::numeric_limits<double>::max())),
              std::numeric_limits<double>::infinity());
    const double values[] = {1.797693134862315e308,
                             -1.797693134862315e308,
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             1e300,
                             -1e-300,
                             9.999999999e15,
                             4503599627370495.5,
                             1e-9,
                             -1e-8};
    for (const double value : values) {
        const double back = parseNumber(plainNumberText(value));
        EXPECT_NEAR(back, value, 1e-15 * std::fabs(value)) << plainNumberText(value);
        for (const char* mask : {kMask9, kMask8}) {
            const std::string text = formatMasked(value, mask);
            if (std::fabs(value) >= 1) {
                EXPECT_NEAR(parseNumber(text), value, 1e-15 * std::fabs(value)) << text;
            }
        }
    }
    EXPECT_EQ(formatMasked(4503599627370495.5, kMask9), "4503599627370495.5");
    EXPECT_EQ(formatMasked(1e-9, kMask9), ".000000001");
    EXPECT_EQ(formatMasked(-1e-8, kMask8), "-.00000001");
}

TEST(ParseNumber, ReadsBackWhatFormatMaskedWrote) {
    const double values[] = {0,      0.25, 1,    12.3456,           1.0 / 3,    2.0 / 3,
                             -12.25, 9.5,  1e-9, 36.86989764584402, 123456.789, -0.5};
    for (const double value : values) {
        for (const char* mask : {kMask9, kMask8}) {
            const std::string text = formatMasked(value, mask);
            const double back = parseNumber(text);
            // The text holds the value rounded to the mask's decimals, and reads back exactly as
            // that text says.
            EXPECT_NEAR(back, value, 0.51e-8) << text;
            EXPECT_EQ(formatMasked(back, mask), text);
        }
    }
}

TEST(FormatMaskedToFit, DropsDecimalsOnlyWhenTheFieldIsTooNarrow) {
    const struct {
        double value;
        const char* mask;
        const char* text;
    } cases[] = {
        {12.3456, kMask9, "12.3456"},                          // fits: as formatMasked
        {77194209639.94282532, kMask9, "77194209639.942825"},  // 18 characters
        {77194209639.94282532, kMask8, "77194209639.942825"},
        {-7719420963.5, kMask9, "-7719420963.5"},
        {123456789012345678.0, kMask9, "1.234567890123e+17"},  // the whole part alone is too wide
    };
    constexpr std::size_t kValueFieldWidth = 18;  // the panel's value field
    for (const auto& c : cases) {
        const std::string text = formatMaskedToFit(c.value, c.mask, kValueFieldWidth);
        EXPECT_EQ(text, c.text) << c.value;
        EXPECT_LE(text.size(), kValueFieldWidth);
    }
    EXPECT_EQ(plainNumberTextToFit(-1.000000082740371e-08, kValueFieldWidth), "-1.00000008274e-08");
}

}  // namespace
}  // namespace solvara
