#pragma once

// UTF-8 inside the program, UTF-16 at the Win32 calls. Windows builds only.
#include <string>

namespace quorvel {

// `codePage` is a Windows code page: UTF-8 (65001) unless told otherwise.
inline constexpr unsigned kUtf8CodePage = 65001;

std::wstring Widen(const std::string& text, unsigned codePage = kUtf8CodePage);
std::string Narrow(const wchar_t* text, size_t length, unsigned codePage = kUtf8CodePage);
inline std::string Narrow(const std::wstring& text, unsigned codePage = kUtf8CodePage) {
    return Narrow(text.data(), text.size(), codePage);
}

}  // namespace quorvel
