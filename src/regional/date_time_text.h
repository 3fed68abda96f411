#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "regional/regional_settings.h"

namespace quorvel {

// A reading of the local clock, broken down.
struct LocalDateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Local time as a number: seconds since 1970-01-01 00:00 on the local clock, with the
// milliseconds as the fraction. The chart plots against it.
double LocalSeconds(const LocalDateTime& when);
LocalDateTime FromLocalSeconds(double seconds);

// Where the program reads the local time. Tests give a fixed or stepping clock.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
  public:
    LocalDateTime Now() const override;
};

// Formats a date-time picture. Letters are case-blind: y/yy two-digit year, yyy/yyyy
// four-digit year; d/dd day; m/mm month, or minutes right after an hour field; n/nn
// minutes; h/hh hours (12-hour when the picture holds t/tt, otherwise 24-hour); s/ss
// seconds; z/zzz milliseconds; t/tt "A"/"P" or "AM"/"PM". "/" and ":" stand for the
// regional date and time separators, text in single or double quotes is copied, and every
// other character is copied as it is.
std::string FormatDateTime(std::string_view picture, const LocalDateTime& when,
                           const RegionalSettings& regional);

inline std::string FormatShortDate(const LocalDateTime& when, const RegionalSettings& regional) {
    return FormatDateTime(regional.shortDateFormat, when, regional);
}

inline std::string FormatLongTime(const LocalDateTime& when, const RegionalSettings& regional) {
    return FormatDateTime(regional.longTimeFormat, when, regional);
}

}  // namespace quorvel
