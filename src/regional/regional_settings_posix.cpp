#include <langinfo.h>
#include <locale.h>

#include <string>
#include <string_view>

#include "regional/regional_settings.h"

namespace quorvel {
namespace {

// First character of a strftime format that is neither a conversion nor a letter: the
// separator the locale puts between the fields.
std::string FirstSeparator(std::string_view format, std::string_view fallback) {
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%') {
            ++i;
            continue;
        }
        if (c != ' ' && !(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z')) {
            return std::string(1, c);
        }
    }
    return std::string(fallback);
}

void AppendQuoted(std::string& picture, char c) {
    if (c == '/' || c == ':' || c == '-' || c == '.' || c == ' ' || c == ',') {
        picture += c;  // separators and blanks have no meaning as picture letters
    } else {
        picture += '\'';
        picture += c;
        picture += '\'';
    }
}

// Translates a strftime date or time format into a Windows-style picture.
std::string PictureFromStrftime(std::string_view format) {
    std::string picture;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            AppendQuoted(picture, format[i]);
            continue;
        }
        char conversion = format[++i];
        if (conversion == 'E' || conversion == 'O') {  // alternative forms: use the plain one
            if (i + 1 == format.size()) break;
            conversion = format[++i];
        }
        switch (conversion) {
            case 'd':
                picture += "dd";
                break;
            case 'e':
                picture += "d";
                break;
            case 'm':
                picture += "MM";
                break;
            case 'Y':
                picture += "yyyy";
                break;
            case 'y':
                picture += "yy";
                break;
            case 'H':
                picture += "HH";
                break;
            case 'k':
                picture += "H";
                break;
            case 'I':
                picture += "hh";
                break;
            case 'l':
                picture += "h";
                break;
            case 'M':
                picture += "nn";
                break;
            case 'S':
                picture += "ss";
                break;
            case 'p':
                picture += "tt";
                break;
            case 'D':
                picture += "MM/dd/yy";
                break;
            case 'F':
                picture += "yyyy-MM-dd";
                break;
            case 'T':
                picture += "HH:nn:ss";
                break;
            case 'R':
                picture += "HH:nn";
                break;
            case 'r':
                picture += "hh:nn:ss tt";
                break;
            case '%':
                AppendQuoted(picture, '%');
                break;
            default:
                break;  // names of days and months and the like are left out
        }
    }
    return picture;
}

}  // namespace

RegionalSettings ReadUserRegionalSettings() {
    RegionalSettings settings{".", "MM/dd/yy", "HH:nn:ss", "/", ":"};
    locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) {
        locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        if (locale == static_cast<locale_t>(0)) return settings;
    }
    const std::string_view radix = nl_langinfo_l(RADIXCHAR, locale);
    const std::string_view date = nl_langinfo_l(D_FMT, locale);
    const std::string_view time = nl_langinfo_l(T_FMT, locale);
    if (!radix.empty()) settings.decimalSeparator = std::string(radix);
    if (!date.empty()) {
        settings.shortDateFormat = PictureFromStrftime(date);
        settings.dateSeparator = FirstSeparator(date, "/");
    }
    if (!time.empty()) {
        settings.longTimeFormat = PictureFromStrftime(time);
        settings.timeSeparator = FirstSeparator(time, ":");
    }
    freelocale(locale);
    return settings;
}

}  // namespace quorvel
