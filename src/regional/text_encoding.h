#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Texts are UTF-8 inside the program. The module and the CSV files speak single bytes.

// One byte per character, each byte being the ISO 8859-1 character of that code.
std::string Latin1ToUtf8(std::string_view bytes);

// One byte per character; nullopt when a character lies beyond U+00FF or the text is not
// valid UTF-8.
std::optional<std::string> Utf8ToLatin1(std::string_view text);

// Splits `text` before its last `units` UTF-16 code units (a character beyond the BMP
// counts two), never inside a character. Returns the byte offset of the split; a text of
// fewer units is not split (the offset is its size).
size_t SplitBeforeLastUtf16Units(std::string_view text, size_t units);

}  // namespace quorvel
