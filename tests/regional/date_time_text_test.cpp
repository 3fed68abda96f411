#include "regional/date_time_text.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(FormatDateTime, Pictures) {
    const LocalDateTime when{2014, 5, 30, 8, 5, 59, 7};
    const LocalDateTime evening{2014, 5, 30, 20, 5, 59, 7};
    RegionalSettings dotted = RegionalSettings::Polish();
    dotted.dateSeparator = ".";
    dotted.timeSeparator = ".";
    struct Case {
        const char* picture;
        LocalDateTime when;
        const RegionalSettings& regional;
        const char* expected;
    };
    const RegionalSettings polish = RegionalSettings::Polish();
    const Case cases[] = {
        {"yyyy-MM-dd", when, polish, "2014-05-30"},
        {"HH:mm:ss", when, polish, "08:05:59"},
        {"d.M.yy", when, polish, "30.5.14"},
        {"dd/mm/yy\rhh:mm:ss", when, polish, "30-05-14\r08:05:59"},  // chart axis labels
        {"dd/mm/yy\rhh:mm:ss", when, dotted, "30.05.14\r08.05.59"},
        {"h:mm:ss tt", evening, polish, "8:05:59 PM"},
        {"hh:nn:ss t", when, polish, "08:05:59 A"},
        {"HH:nn:ss.zzz", evening, polish, "20:05:59.007"},
        {"'Dzień' d", when, polish, "Dzień 30"},
        {"MM/dd/yy", when, polish, "05-30-14"},  // "/" is the regional date separator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(FormatDateTime(c.picture, c.when, c.regional), c.expected);
    }
}

TEST(FormatDateTime, PolishShortDateAndLongTime) {
    const RegionalSettings polish = RegionalSettings::Polish();
    const LocalDateTime when{2026, 12, 1, 23, 59, 0, 999};
    EXPECT_EQ(FormatShortDate(when, polish), "2026-12-01");
    EXPECT_EQ(FormatLongTime(when, polish), "23:59:00");
}

}  // namespace
}  // namespace quorvel
