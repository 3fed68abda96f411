// The locale's character set for the settings file. <iconv.h> stays in this file.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "settings/profile_file.h"

namespace quorvel {
namespace {

std::string Codeset() {
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return "ANSI_X3.4-1968";
    const std::string codeset = nl_langinfo_l(CODESET, locale);
    freelocale(locale);
    return codeset;
}

std::string Convert(const std::string& text, const char* to, const char* from) {
    if (strcasecmp(to, from) == 0) return text;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char* o = buffer;
        size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1) && errno != E2BIG) {
            // A character the other side lacks: a question mark in its place.
            out.append(buffer, static_cast<size_t>(o - buffer));
            out += '?';
            ++in;
            --inLeft;
            while (inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                ++in;
                --inLeft;
            }
            continue;
        }
        out.append(buffer, static_cast<size_t>(o - buffer));
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string ToProfileText(const std::string& utf8) {
    return Convert(utf8, Codeset().c_str(), "UTF-8");
}

std::string FromProfileText(const std::string& bytes) {
    return Convert(bytes, "UTF-8", Codeset().c_str());
}

}  // namespace quorvel
