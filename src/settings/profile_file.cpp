#include "settings/profile_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace quorvel {
namespace {

constexpr size_t kMaxValue = 2047;

std::string Trim(const std::string& text) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && blank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// "[name]" gives name; other lines give nothing.
bool SectionOf(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyOf(const std::string& line, std::string& key, std::string& value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    key = Trim(line.substr(0, equals));
    value = Trim(line.substr(equals + 1));
    return !key.empty() && key[0] != ';';
}

// Where the section's lines are: [begin, end) after its header; begin == npos when missing.
void FindSection(const std::vector<std::string>& lines, const std::string& section, size_t& begin,
                 size_t& end) {
    begin = std::string::npos;
    end = lines.size();
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!SectionOf(lines[i], name)) continue;
        if (begin != std::string::npos) {
            end = i;
            return;
        }
        if (SameName(name, section)) begin = i + 1;
    }
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

bool ProfileFile::Exists() const {
    std::ifstream in(path_);
    return in.good();
}

std::vector<std::string> ProfileFile::Load() const {
    std::vector<std::string> lines;
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool ProfileFile::Store(const std::vector<std::string>& lines) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : lines) out << line << "\r\n";
    out.flush();
    return out.good();
}

std::string ProfileFile::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) const {
    const std::vector<std::string> lines = Load();
    size_t begin = 0;
    size_t end = 0;
    FindSection(lines, section, begin, end);
    if (begin == std::string::npos) return fallback;
    std::string k;
    std::string value;
    for (size_t i = begin; i < end; ++i) {
        if (!KeyOf(lines[i], k, value) || !SameName(k, key)) continue;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (value.size() > kMaxValue) value.resize(kMaxValue);
        return FromProfileText(value);
    }
    return fallback;
}

int32_t ProfileFile::ReadInteger(const std::string& section, const std::string& key,
                                 int32_t fallback) const {
    int32_t value = 0;
    return ParseProfileInteger(ReadString(section, key, ""), value) ? value : fallback;
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
    std::vector<std::string> lines = Load();
    const std::string line = key + "=" + ToProfileText(value);
    size_t begin = 0;
    size_t end = 0;
    FindSection(lines, section, begin, end);
    if (begin == std::string::npos) {
        lines.push_back("[" + section + "]");
        lines.push_back(line);
        return Store(lines);
    }
    std::string k;
    std::string v;
    for (size_t i = begin; i < end; ++i) {
        if (KeyOf(lines[i], k, v) && SameName(k, key)) {
            lines[i] = line;
            return Store(lines);
        }
    }
    // After the last line of the section that is not blank.
    size_t at = end;
    while (at > begin && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    return Store(lines);
}

bool ParseProfileInteger(const std::string& text, int32_t& value) {
    const std::string t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    int base = 10;
    if (t.size() > i + 1 && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return false;
    int64_t magnitude = 0;
    const auto result = std::from_chars(t.data() + i, t.data() + t.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size()) return false;
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

}  // namespace quorvel
