#include "settings/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        path = fs::temp_directory_path() / ("quorvel-profile-" + std::to_string(seed()) + ".ini");
    }
    void TearDown() override { fs::remove(path); }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path path;
};

TEST_F(ProfileFileTest, ReadingRules) {
    Write(
        "; comment\r\n[Other]\r\nKey=other\r\n[OPTIONS]\r\n  key  =  spaced value  \r\n"
        "Quoted=\"in quotes\"\r\nSingle='x'\r\nHalf=\"open\r\nHex=0x1F\r\nNeg=-12\r\n"
        "Word=yes\r\nEmpty=\r\nLong=" +
        std::string(3000, 'a') + "\r\n");
    ProfileFile file(path.string());
    EXPECT_EQ(file.ReadString("options", "KEY", "-"), "spaced value");
    EXPECT_EQ(file.ReadString("Options", "Quoted", "-"), "in quotes");
    EXPECT_EQ(file.ReadString("Options", "Single", "-"), "x");
    EXPECT_EQ(file.ReadString("Options", "Half", "-"), "\"open");
    EXPECT_EQ(file.ReadString("Options", "Missing", "fallback"), "fallback");
    EXPECT_EQ(file.ReadString("Nowhere", "Key", "fallback"), "fallback");
    EXPECT_EQ(file.ReadString("Options", "Long", "").size(), 2047u);
    EXPECT_EQ(file.ReadInteger("Options", "Hex", 0), 31);
    EXPECT_EQ(file.ReadInteger("Options", "Neg", 0), -12);
    EXPECT_EQ(file.ReadInteger("Options", "Word", 7), 7);
    EXPECT_EQ(file.ReadInteger("Options", "Empty", 7), 7);
    EXPECT_EQ(file.ReadInteger("Other", "Key", 7), 7);
}

TEST_F(ProfileFileTest, WritingReplacesInPlaceAndAppendsAtTheEndOfTheSection) {
    Write("[Options]\r\nA=1\r\nB=2\r\n\r\n[Other]\r\nC=3\r\n");
    ProfileFile file(path.string());
    EXPECT_TRUE(file.WriteString("Options", "b", "20"));
    EXPECT_TRUE(file.WriteString("Options", "D", "4"));
    EXPECT_TRUE(file.WriteString("New", "E", "5"));
    EXPECT_EQ(Read(), "[Options]\r\nA=1\r\nb=20\r\nD=4\r\n\r\n[Other]\r\nC=3\r\n[New]\r\nE=5\r\n");
    ProfileFile nowhere((path / "missing" / "x.ini").string());
    EXPECT_FALSE(nowhere.WriteString("Options", "A", "1"));
}

TEST(ProfileInteger, Forms) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {{"10", true, 10},
                          {" -1 ", true, -1},
                          {"0x3", true, 3},
                          {"0X1f", true, 31},
                          {"2147483647", true, 2147483647},
                          {"2147483648", false, 0},
                          {"", false, 0},
                          {"yes", false, 0},
                          {"1.5", false, 0},
                          {"0x", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t value = 0;
        EXPECT_EQ(ParseProfileInteger(c.text, value), c.ok);
        if (c.ok) {
            EXPECT_EQ(value, c.value);
        }
    }
}

}  // namespace
}  // namespace quorvel
