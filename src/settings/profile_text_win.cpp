// The system's ANSI code page for the settings file. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "regional/utf16_win.h"
#include "settings/profile_file.h"

namespace quorvel {

std::string ToProfileText(const std::string& utf8) {
    return Narrow(Widen(utf8), CP_ACP);
}

std::string FromProfileText(const std::string& bytes) {
    return Narrow(Widen(bytes, CP_ACP));
}

}  // namespace quorvel
