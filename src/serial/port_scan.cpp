#include "serial/port_scan.h"

#include <algorithm>
#include <cctype>

namespace quorvel {

void InsertPortSorted(ScanList& list, ScanEntry entry) {
    for (const ScanEntry& e : list) {
        if (e.name == entry.name && e.value == entry.value) return;
    }
    if (list.empty() || list.back().number < entry.number) {
        list.push_back(std::move(entry));
        return;
    }
    const auto greater = std::find_if(list.begin(), list.end(),
                                      [&](const ScanEntry& e) { return e.number > entry.number; });
    if (greater != list.end()) list.insert(greater, std::move(entry));
}

void AddRegistryPort(ScanList& list, const std::string& valueName, const std::string& data,
                     bool withValueNames) {
    std::string s = data;
    const auto blank = [](unsigned char c) { return c <= 32; };
    while (!s.empty() && blank(static_cast<unsigned char>(s.back()))) s.pop_back();
    s.erase(s.begin(),
            std::find_if(s.begin(), s.end(), [&](unsigned char c) { return !blank(c); }));
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (s.rfind("COM", 0) != 0) return;
    for (const ScanEntry& e : list) {
        if (e.name == s) return;
    }
    const std::string digits = s.substr(3);
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isdigit(c); })) {
        return;
    }
    InsertPortSorted(list,
                     ScanEntry{s, withValueNames ? valueName : std::string(), std::stoi(digits)});
}

}  // namespace quorvel
