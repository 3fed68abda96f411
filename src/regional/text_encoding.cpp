#include "regional/text_encoding.h"

namespace quorvel {
namespace {

// Length in bytes of the UTF-8 sequence led by `lead`; 0 for a continuation or bad byte.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

}  // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::optional<std::string> Utf8ToLatin1(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            ++i;
            continue;
        }
        // Only two-byte sequences C2 80 .. C3 BF map to U+0080..U+00FF.
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 >= text.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        bytes += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
        i += 2;
    }
    return bytes;
}

size_t SplitBeforeLastUtf16Units(std::string_view text, size_t units) {
    size_t split = text.size();
    size_t counted = 0;
    while (split > 0 && counted < units) {
        size_t start = split - 1;
        while (start > 0 && SequenceLength(static_cast<unsigned char>(text[start])) == 0) --start;
        counted += SequenceLength(static_cast<unsigned char>(text[start])) == 4 ? 2 : 1;
        split = start;
    }
    return counted < units ? text.size() : split;
}

}  // namespace quorvel
