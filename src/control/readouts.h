#pragma once

#include <array>
#include <string>

#include "link/measurement_set.h"
#include "regional/regional_settings.h"

namespace quorvel {

// The texts of the four readouts: value with the chosen decimals and the unit in brackets,
// "4,990 [V]". An input's unit is its unit field, or else the unit of the input mode the
// module last reported (modes 4..7 keep the one before); a function's is its unit field,
// or else "...".
class Readouts {
  public:
    // unitFields: unit1, unit2, unitm1, unitm2.
    std::array<std::string, 4> Texts(const MeasurementSet& m, int decimals,
                                     const std::array<std::string, 4>& unitFields,
                                     const RegionalSettings& regional);

  private:
    std::string defaultUnit1_;
    std::string defaultUnit2_;
};

}  // namespace quorvel
