#pragma once

#include <string>

namespace quorvel {

// The user's regional choices that every text the program shows or writes depends on:
// readouts, CSV columns, parameter fields, frame-rate texts, dates and times.
// Formatting code takes this value as a parameter and never reads the process locale,
// so that tests can pin a profile and expect exact bytes.
//
// Date and time formats are pictures in the Windows style ("yyyy-MM-dd", "HH:mm:ss");
// see FormatDateTime for the letters understood.
struct RegionalSettings {
    std::string decimalSeparator = ".";
    std::string shortDateFormat = "yyyy-MM-dd";
    std::string longTimeFormat = "HH:mm:ss";
    std::string dateSeparator = "-";
    std::string timeSeparator = ":";

    // The Polish Windows profile the module's users mostly run.
    static RegionalSettings Polish();
};

// Reads the current user's settings: the Windows user locale on Windows, the locale named
// by the environment (LC_ALL / LC_* / LANG) on Linux. Falls back to the C conventions when
// the locale cannot be loaded.
RegionalSettings ReadUserRegionalSettings();

}  // namespace quorvel
