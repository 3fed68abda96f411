#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "regional/regional_settings.h"

namespace quorvel {

// The one number formatter of the program: readouts, CSV columns, parameter fields and the
// frame-rate texts all use it. Fixed-point with `decimals` digits (0 to 5 in the program;
// clamped to 0..15) after the value is rounded to 15 significant digits, a leading "-" for
// negative values, the regional decimal separator, no thousands separators. A value whose
// integer part needs more than 15 digits is written as mantissa and exponent
// ("1,5E+20"); non-finite values are "NAN", "-NAN" (sign bit set), "INF" and "-INF".
std::string FormatFixed(double value, int decimals, const RegionalSettings& regional);

// The shortest text that reads back as the same float, with the regional separator
// ("1,5", "2,5E-07"): what the command line reports it sent.
std::string FormatShortest(float value, const RegionalSettings& regional);

// Text typed into a float field: optional blanks around, optional sign, digits with the
// regional decimal separator, optional exponent. Anything else is not a number.
std::optional<double> ParseFloat(std::string_view text, const RegionalSettings& regional);

// Text typed into an integer field: optional blanks around, optional sign, decimal digits,
// within the signed 32-bit range.
std::optional<int32_t> ParseInt32(std::string_view text);

}  // namespace quorvel
