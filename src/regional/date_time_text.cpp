#include "regional/date_time_text.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace quorvel {
namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendNumber(std::string& out, int value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) out.append(width - digits.size(), '0');
    out += digits;
}

bool HasAmPm(std::string_view picture) {
    char quote = 0;
    for (char c : picture) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (Lower(c) == 't') {
            return true;
        }
    }
    return false;
}

}  // namespace

double LocalSeconds(const LocalDateTime& w) {
    using namespace std::chrono;
    const sys_days day = year_month_day(year(w.year), month(static_cast<unsigned>(w.month)),
                                        std::chrono::day(static_cast<unsigned>(w.day)));
    const double days = static_cast<double>(day.time_since_epoch().count());
    return days * 86400.0 + w.hour * 3600.0 + w.minute * 60.0 + w.second + w.millisecond / 1000.0;
}

LocalDateTime FromLocalSeconds(double seconds) {
    using namespace std::chrono;
    const double whole = std::floor(seconds);
    const auto days = static_cast<int64_t>(std::floor(whole / 86400.0));
    const auto inDay = static_cast<int64_t>(whole - static_cast<double>(days) * 86400.0);
    const year_month_day date{sys_days{std::chrono::days{days}}};
    const auto millis = static_cast<int>(std::lround((seconds - whole) * 1000.0));
    return LocalDateTime{static_cast<int>(date.year()),
                         static_cast<int>(unsigned(date.month())),
                         static_cast<int>(unsigned(date.day())),
                         static_cast<int>(inDay / 3600),
                         static_cast<int>(inDay / 60 % 60),
                         static_cast<int>(inDay % 60),
                         millis > 999 ? 999 : millis};
}

LocalDateTime SystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    // Breaking the time down is the costly part and changes once a second.
    thread_local std::time_t cachedSeconds = -1;
    thread_local std::tm local{};
    if (seconds != cachedSeconds) {
#ifdef _WIN32
        localtime_s(&local, &seconds);
#else
        localtime_r(&seconds, &local);
#endif
        cachedSeconds = seconds;
    }
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return LocalDateTime{local.tm_year + 1900,    local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,           local.tm_min,     local.tm_sec,
                         static_cast<int>(millis)};
}

std::string FormatDateTime(std::string_view picture, const LocalDateTime& when,
                           const RegionalSettings& regional) {
    const bool twelveHour = HasAmPm(picture);
    std::string out;
    bool afterHour = false;  // an m field right after an hour field means minutes
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        const char letter = Lower(c);
        size_t run = 1;
        while (i + run < picture.size() && Lower(picture[i + run]) == letter) ++run;
        if (c == '\'' || c == '"') {
            const size_t end = picture.find(c, i + 1);
            const size_t stop = end == std::string_view::npos ? picture.size() : end;
            out.append(picture.substr(i + 1, stop - i - 1));
            i = stop == picture.size() ? stop : stop + 1;
            continue;
        }
        switch (letter) {
            case 'y':
                if (run <= 2)
                    AppendNumber(out, when.year % 100, 2);
                else
                    AppendNumber(out, when.year, 4);
                afterHour = false;
                break;
            case 'd':
                AppendNumber(out, when.day, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'm':
                AppendNumber(out, afterHour ? when.minute : when.month, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'n':
                AppendNumber(out, when.minute, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'h': {
                int hour = when.hour;
                if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
                AppendNumber(out, hour, run >= 2 ? 2 : 1);
                afterHour = true;
                break;
            }
            case 's':
                AppendNumber(out, when.second, run >= 2 ? 2 : 1);
                afterHour = false;
                break;
            case 'z':
                AppendNumber(out, when.millisecond, run >= 2 ? 3 : 1);
                afterHour = false;
                break;
            case 't':
                out += when.hour < 12 ? "A" : "P";
                if (run >= 2) out += 'M';
                break;
            case '/':
                for (size_t k = 0; k < run; ++k) out += regional.dateSeparator;
                break;
            case ':':
                for (size_t k = 0; k < run; ++k) out += regional.timeSeparator;
                break;
            default:
                out.append(picture.substr(i, run));
                break;
        }
        i += run;
    }
    return out;
}

}  // namespace quorvel
