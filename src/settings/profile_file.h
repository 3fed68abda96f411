#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

// A settings file in the profile (INI) layout, read and written with the rules of the
// Windows profile functions: section and key names match without regard to case, values
// lose blanks around them and one pair of enclosing quotes, at most 2047 characters of a
// value are taken; writing replaces an existing key on its own line, appends a missing key
// at the end of its section (or a missing section at the end of the file) and leaves every
// other line as it is. Each write goes to the disk at once.
//
// The file is 8-bit text in the system's code page (Windows) or the locale's character set
// (Linux); the program's side is UTF-8. Characters the code page lacks do not survive.
class ProfileFile {
  public:
    explicit ProfileFile(std::string path);

    const std::string& Path() const { return path_; }
    bool Exists() const;

    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& fallback) const;
    // Decimal, or hexadecimal with 0x; anything else (an empty value too) gives `fallback`.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;

    // false when the file cannot be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);

  private:
    std::vector<std::string> Load() const;
    bool Store(const std::vector<std::string>& lines) const;

    std::string path_;
};

// Reads an integer the way the profile functions do: optional blanks and sign, decimal or
// 0x hexadecimal digits, nothing else; within 32 bits.
bool ParseProfileInteger(const std::string& text, int32_t& value);

// Between the program's UTF-8 and the 8-bit text of the file.
std::string ToProfileText(const std::string& utf8);
std::string FromProfileText(const std::string& bytes);

}  // namespace quorvel
