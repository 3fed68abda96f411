#define WIN32_LEAN_AND_MEAN
#include "regional/utf16_win.h"

#include <windows.h>

namespace quorvel {

std::wstring Widen(const std::string& text, unsigned codePage) {
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const wchar_t* text, size_t length, unsigned codePage) {
    const int bytes = WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), nullptr, 0,
                                          nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), narrow.data(), bytes, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace quorvel
