// The system's ANSI code page for the settings file. <windows.h> stays in this file.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "regional/utf16_win.h"
#include "settings/profile_file.h"

namespace quorvel {

std::string ToProfileText(const std::string& utf8) {
    const std::wstring wide = Widen(utf8);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), bytes,
                        nullptr, nullptr);
    return text;
}

std::string FromProfileText(const std::string& bytes) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return Narrow(wide);
}

}  // namespace quorvel
