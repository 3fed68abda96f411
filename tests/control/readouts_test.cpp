#include "control/readouts.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(Readouts, UnitsFollowTheInputModes) {
    const RegionalSettings polish = RegionalSettings::Polish();
    Readouts readouts;
    MeasurementSet m{4.99f, 12.5f, 12.5f, -2.7f, 0, 1};
    EXPECT_EQ(
        readouts.Texts(m, 3, {}, polish),
        (std::array<std::string, 4>{"4,990 [V]", "12,500 [mA]", "12,500 [...]", "-2,700 [...]"}));
    m.Ch1Mode = 3;
    m.Ch2Mode = 5;  // no unit of its own: the one before stays
    EXPECT_EQ(readouts.Texts(m, 0, {}, polish)[0], "5 [%]");
    EXPECT_EQ(readouts.Texts(m, 0, {}, polish)[1], "13 [mA]");
    EXPECT_EQ(readouts.Texts(m, 0, {"bar", "", "", "m/s"}, polish),
              (std::array<std::string, 4>{"5 [bar]", "13 [mA]", "13 [...]", "-3 [m/s]"}));
}

TEST(Readouts, ModeOutsideTheListBeforeAnyUnitShowsNone) {
    Readouts readouts;
    const MeasurementSet m{1, 2, 3, 4, 6, 7};
    EXPECT_EQ(readouts.Texts(m, 1, {}, RegionalSettings::Polish())[0], "1,0 []");
}

}  // namespace
}  // namespace quorvel
