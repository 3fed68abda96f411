#include "regional/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quorvel {
namespace {

constexpr int kSignificantDigits = 15;

// Rounds the decimal digit string `digits` (no sign, no point) at position `keep`, half away
// from zero; returns true when the carry ran out of the leftmost digit.
bool RoundDigitsAt(std::string& digits, size_t keep) {
    const bool roundUp = keep < digits.size() && digits[keep] >= '5';
    digits.resize(keep);
    if (!roundUp) return false;
    for (size_t i = keep; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatFixed(double value, int decimals, const RegionalSettings& regional) {
    if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    decimals = std::clamp(decimals, 0, 15);

    // 15 significant digits and the decimal exponent of the first one.
    char scientific[40];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(scientific, static_cast<size_t>(result.ptr - scientific));
    const size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (IsDigit(c)) digits += c;
    }
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    const bool negative = std::signbit(value) && value != 0;

    if (exponent + 1 > kSignificantDigits) {
        std::string out = negative ? "-" : "";
        out += digits[0];
        const size_t last = digits.find_last_not_of('0');
        if (last != std::string::npos && last > 0) {
            out += regional.decimalSeparator;
            out.append(digits, 1, last);
        }
        out += exponent < 10 ? "E+0" : "E+";
        out += std::to_string(exponent);
        return out;
    }

    // Lay the digits out around the decimal point, then round to the wanted decimals.
    size_t integerLength;
    if (exponent < 0) {
        digits.insert(digits.begin(), static_cast<size_t>(-exponent), '0');
        integerLength = 1;
    } else {
        integerLength = static_cast<size_t>(exponent) + 1;
    }
    const size_t keep = integerLength + static_cast<size_t>(decimals);
    if (digits.size() < keep) digits.append(keep - digits.size(), '0');
    if (RoundDigitsAt(digits, keep)) {
        digits.insert(digits.begin(), '1');
        ++integerLength;
    }

    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !allZero) ? "-" : "";
    out.append(digits, 0, integerLength);
    if (decimals > 0) {
        out += regional.decimalSeparator;
        out.append(digits, integerLength, std::string::npos);
    }
    return out;
}

std::string FormatShortest(float value, const RegionalSettings& regional) {
    if (!std::isfinite(value)) return FormatFixed(value, 0, regional);
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text;
    for (const char* p = buffer; p != result.ptr; ++p) {
        if (*p == '.') {
            text += regional.decimalSeparator;
        } else {
            text += *p == 'e' ? 'E' : *p;
        }
    }
    return text;
}

std::optional<double> ParseFloat(std::string_view text, const RegionalSettings& regional) {
    text = TrimBlanks(text);
    const std::string_view separator = regional.decimalSeparator;
    std::string normal;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
    size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) normal += text[i++], ++mantissaDigits;
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        normal += '.';
        i += separator.size();
        while (i < text.size() && IsDigit(text[i])) normal += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) normal += text[i++], ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    const char* begin = normal.data() + (normal[0] == '+');
    double value = 0;
    const auto result = std::from_chars(begin, normal.data() + normal.size(), value);
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> ParseInt32(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || !IsDigit(text.front())) return std::nullopt;
    }
    int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace quorvel
