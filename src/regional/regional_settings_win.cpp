// Windows user locale. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "regional/regional_settings.h"
#include "regional/utf16_win.h"

namespace quorvel {
namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    wchar_t buffer[128];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 128);
    if (length <= 1) return fallback;
    return Narrow(buffer, static_cast<size_t>(length - 1));
}

}  // namespace

RegionalSettings ReadUserRegionalSettings() {
    RegionalSettings settings;
    settings.decimalSeparator = LocaleText(LOCALE_SDECIMAL, ".");
    settings.shortDateFormat = LocaleText(LOCALE_SSHORTDATE, "yyyy-MM-dd");
    settings.longTimeFormat = LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss");
    settings.dateSeparator = LocaleText(LOCALE_SDATE, "-");
    settings.timeSeparator = LocaleText(LOCALE_STIME, ":");
    return settings;
}

}  // namespace quorvel
