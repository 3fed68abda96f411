#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "regional/regional_settings.h"
#include "settings/profile_file.h"

namespace quorvel {

inline constexpr const char* kOptionsSection = "Options";

// The 38 options of "config.ini", as the window's controls take them.
struct AppOptions {
    std::array<std::string, 4> units;                  // Ch1Unit, Ch2Unit, Fx1Unit, Fx2Unit
    std::array<std::string, 4> names;                  // Ch1Name .. Fx2Name
    std::array<bool, 4> show{true, true, true, true};  // Ch1Show .. Fx2Show
    int32_t decPoint1 = 2;
    int32_t decPoint2 = 2;
    int32_t screenTop = 10;
    int32_t screenLeft = 10;
    bool startWidth = false;
    bool saveStart = false;
    std::array<bool, 7> saveColumns{true, true, true, true, true, true, true};  // SaveDate ..
    std::string fileName = "pomiary.csv";
    bool cutFile = false;
    bool clearCnt = false;
    int32_t cutCnt = 3;
    std::array<int32_t, 4> positions{0, 1, 2, 3};
    bool showBaner = true;
    bool showHint = true;
    std::string chartYmin = "-1.00";  // the texts of chmin and chmax
    std::string chartYmax = "10.00";
    int32_t chartTime = 10;  // seconds
};

// Reads every option, creating the file with the defaults first when there is none; a
// missing key or a value that is not what its kind needs gives the key's default (0 for a
// missing chart limit). false when the file cannot be created.
bool LoadOptions(ProfileFile& file, const RegionalSettings& regional, AppOptions& options);

// Writes every option in the saving order. A chart limit that is not a number stores -1 and
// 1 for the two limits. false when the file cannot be written.
bool SaveOptions(ProfileFile& file, const RegionalSettings& regional, const AppOptions& options);

}  // namespace quorvel
