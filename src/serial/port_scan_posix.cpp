#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "serial/port_scan.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// Where a tty family stands in the list: on-board ports, USB adapters, modems, the rest.
int FamilyRank(const std::string& name) {
    if (name.rfind("ttyS", 0) == 0) return 0;
    if (name.rfind("ttyUSB", 0) == 0) return 1;
    if (name.rfind("ttyACM", 0) == 0) return 2;
    return 3;
}

// ttyS9 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& s) {
        size_t digits = s.size();
        while (digits > 0 && std::isdigit(static_cast<unsigned char>(s[digits - 1]))) --digits;
        const std::string tail = s.substr(digits);
        return std::pair(s.substr(0, digits),
                         tail.empty() || tail.size() > 9 ? -1 : std::stoi(tail));
    };
    const auto sa = split(a);
    const auto sb = split(b);
    if (FamilyRank(a) != FamilyRank(b)) return FamilyRank(a) < FamilyRank(b);
    return sa < sb;
}

// An 8250 port whose UART type reads 0 is a placeholder the kernel makes for every
// possible on-board port; it has no hardware behind it.
bool HasRealUart(const fs::path& tty) {
    std::ifstream type(tty / "type");
    int value = -1;
    return !(type >> value) || value != 0;
}

}  // namespace

ScanList EnumSerialPorts(bool withValueNames) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator("/sys/class/tty", error)) {
        const std::string name = entry.path().filename().string();
        if (!fs::exists(entry.path() / "device" / "driver", error)) continue;
        if (name.rfind("ttyS", 0) == 0 && !HasRealUart(entry.path())) continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    ScanList list;
    int number = 0;
    for (const std::string& name : names) {
        list.push_back(ScanEntry{name, withValueNames ? "/dev/" + name : std::string(), ++number});
    }
    return list;
}

}  // namespace quorvel
