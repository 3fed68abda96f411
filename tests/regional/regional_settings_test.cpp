#include "regional/regional_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "regional/date_time_text.h"

namespace quorvel {
namespace {

// The C locale is the one every machine has; its formats must come through as pictures
// that FormatDateTime understands.
TEST(ReadUserRegionalSettings, CLocale) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows user locale is not set through the environment";
#else
    setenv("LC_ALL", "C", 1);
    const RegionalSettings settings = ReadUserRegionalSettings();
    EXPECT_EQ(settings.decimalSeparator, ".");
    EXPECT_EQ(settings.dateSeparator, "/");
    EXPECT_EQ(settings.timeSeparator, ":");
    const LocalDateTime when{2014, 5, 30, 8, 5, 59, 0};
    EXPECT_EQ(FormatShortDate(when, settings), "05/30/14");
    EXPECT_EQ(FormatLongTime(when, settings), "08:05:59");
#endif
}

TEST(ReadUserRegionalSettings, UnknownLocaleFallsBackToC) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows user locale is not set through the environment";
#else
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    const RegionalSettings settings = ReadUserRegionalSettings();
    EXPECT_EQ(settings.decimalSeparator, ".");
    EXPECT_FALSE(settings.shortDateFormat.empty());
#endif
}

#ifdef _WIN32
// Windows takes the user's locale from the system, not from the environment: whatever it
// is, its formats must come through as pictures that FormatDateTime understands.
TEST(ReadUserRegionalSettings, WindowsUserLocale) {
    const RegionalSettings settings = ReadUserRegionalSettings();
    EXPECT_FALSE(settings.decimalSeparator.empty());
    const LocalDateTime when{2014, 5, 30, 8, 5, 59, 0};
    EXPECT_NE(FormatShortDate(when, settings).find("30"), std::string::npos);
    EXPECT_NE(FormatLongTime(when, settings).find("05"), std::string::npos);
}
#endif

}  // namespace
}  // namespace quorvel
