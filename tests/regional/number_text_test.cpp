#include "regional/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

struct FormatCase {
    double value;
    int decimals;
    const char* expected;
};

TEST(FormatFixed, PolishProfile) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        {1.25, 3, "1,250"},
        {12, 3, "12,000"},
        {13.25, 3, "13,250"},
        {-10.75, 3, "-10,750"},
        {2.5, 3, "2,500"},
        {2.25, 0, "2"},  // no separator at 0 decimals
        {1.6, 0, "2"},
        {2.5, 0, "3"},  // halves round away from zero
        {-2.5, 0, "-3"},
        {0.125, 2, "0,13"},
        {9.999, 2, "10,00"},  // carry into a new integer digit
        {-0.001, 2, "0,00"},  // rounded to zero: no minus sign
        {-0.0, 1, "0,0"},
        {0, 5, "0,00000"},
        {4.99, 3, "4,990"},
        {50, 2, "50,00"},
        // A float's binary tail disappears in the 15-digit rounding.
        {static_cast<double>(0.1f), 5, "0,10000"},
        {static_cast<double>(1.1f), 14, "1,10000002384186"},
        {123456789012345.0, 1, "123456789012345,0"},  // 15 integer digits: still fixed
        {1234567890123456.0, 2, "1,23456789012346E+15"},
        {-1.5e20, 2, "-1,5E+20"},
        {1e20, 0, "1E+20"},
        {3.4028234663852886e38, 2, "3,40282346638529E+38"},
        {1e-30, 5, "0,00000"},
        {nan, 2, "NAN"},
        {-nan, 2, "-NAN"},
        {inf, 2, "INF"},
        {-inf, 2, "-INF"},
    };
    const RegionalSettings polish = RegionalSettings::Polish();
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FormatFixed(c.value, c.decimals, polish), c.expected);
    }
}

TEST(FormatFixed, TakesTheSeparatorFromTheProfile) {
    RegionalSettings english;
    english.decimalSeparator = ".";
    EXPECT_EQ(FormatFixed(-1234.5, 2, english), "-1234.50");  // no thousands separator
}

TEST(ParseFloat, AcceptsOnlyTheRegionalSeparator) {
    const RegionalSettings polish = RegionalSettings::Polish();
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1,5", 1.5},
        {" -2,25 ", -2.25},
        {"+3", 3.0},
        {",5", 0.5},
        {"5,", 5.0},
        {"1,5E3", 1500.0},
        {"2e-1", 0.2},
        {"1.5", std::nullopt},
        {"12x", std::nullopt},
        {"", std::nullopt},
        {",", std::nullopt},
        {"1e", std::nullopt},
        {"1 000", std::nullopt},
        {"--1", std::nullopt},
        {"NAN", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFloat(c.text, polish), c.expected);
    }
}

TEST(ParseInt32, SignedThirtyTwoBitDecimal) {
    struct Case {
        const char* text;
        std::optional<int32_t> expected;
    };
    const Case cases[] = {
        {"100", 100},
        {" 0 ", 0},
        {"-5", -5},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"12x", std::nullopt},
        {"1,0", std::nullopt},
        {"", std::nullopt},
        {"+-5", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseInt32(c.text), c.expected);
    }
}

}  // namespace
}  // namespace quorvel
