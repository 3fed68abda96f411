#pragma once

// UTF-8 inside the program, UTF-16 at the Win32 calls. Windows builds only.
#include <string>

namespace quorvel {

std::wstring Widen(const std::string& text);
std::string Narrow(const wchar_t* text, size_t length);
inline std::string Narrow(const std::wstring& text) {
    return Narrow(text.data(), text.size());
}

}  // namespace quorvel
