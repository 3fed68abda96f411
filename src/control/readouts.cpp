#include "control/readouts.h"

#include "regional/number_text.h"

namespace quorvel {
namespace {

void FollowMode(std::string& unit, uint8_t mode) {
    static constexpr const char* kUnits[] = {"V", "mA", "mA", "%"};
    if (mode < 4) unit = kUnits[mode];
}

}  // namespace

std::array<std::string, 4> Readouts::Texts(const MeasurementSet& m, int decimals,
                                           const std::array<std::string, 4>& unitFields,
                                           const RegionalSettings& regional) {
    FollowMode(defaultUnit1_, m.Ch1Mode);
    FollowMode(defaultUnit2_, m.Ch2Mode);
    const std::array<std::string, 4> defaults = {defaultUnit1_, defaultUnit2_, "...", "..."};
    const std::array<float, 4> values = {m.Ch1, m.Ch2, m.Fx1, m.Fx2};
    std::array<std::string, 4> texts;
    for (size_t i = 0; i < 4; ++i) {
        const std::string& unit = unitFields[i].empty() ? defaults[i] : unitFields[i];
        texts[i] = FormatFixed(values[i], decimals, regional) + " [" + unit + "]";
    }
    return texts;
}

}  // namespace quorvel
