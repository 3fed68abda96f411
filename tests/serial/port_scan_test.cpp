#include "serial/port_scan.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

std::vector<std::string> Names(const ScanList& list) {
    std::vector<std::string> names;
    for (const ScanEntry& e : list) names.push_back(e.name);
    return names;
}

TEST(PortScan, RegistryValuesOrderedByNumber) {
    ScanList list;
    AddRegistryPort(list, "\\Device\\Serial2", "COM3", true);
    AddRegistryPort(list, "\\Device\\Serial0", "com1", true);
    AddRegistryPort(list, "\\Device\\VCP0", " COM12 ", true);
    AddRegistryPort(list, "\\Device\\Other", "COM3", true);  // listed already
    AddRegistryPort(list, "\\Device\\X", "COMX", true);
    AddRegistryPort(list, "\\Device\\P", "LPT1", true);
    AddRegistryPort(list, "\\Device\\E", "COM", true);
    AddRegistryPort(list, "\\Device\\S", "COM4a", true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"COM1", "COM3", "COM12"}));
    EXPECT_EQ(list[0].value, "\\Device\\Serial0");
    EXPECT_EQ(list[2].number, 12);
}

TEST(PortScan, InsertPortSorted) {
    ScanList list;
    InsertPortSorted(list, {"COM5", "a", 5});
    InsertPortSorted(list, {"COM2", "b", 2});
    InsertPortSorted(list, {"COM9", "c", 9});
    InsertPortSorted(list, {"COM2", "b", 2});     // the same entry
    InsertPortSorted(list, {"COM9bis", "d", 9});  // the last number again: nothing
    InsertPortSorted(list, {"COM5bis", "e", 5});  // placed before the first greater
    EXPECT_EQ(Names(list), (std::vector<std::string>{"COM2", "COM5", "COM5bis", "COM9"}));
}

}  // namespace
}  // namespace quorvel
