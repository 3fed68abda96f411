#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "record/csv_recorder.h"

namespace quorvel {

enum class CliCommand { Ports, Monitor, Record, Get, Set, Action };

// The command line of quorvel-cli, checked for form; parameter names and values are
// checked against the parameter table when the command runs.
struct CliOptions {
    CliCommand command = CliCommand::Ports;
    std::string port;
    std::optional<double> seconds;
    std::optional<uint64_t> frames;
    std::string file;
    RecorderOptions recorder;  // columns, decimals, split, clear-counter
    int splitIndex = 0;        // item of the split list: 10 ** (index + 1) records
    int decimals = 2;
    int timeoutMs = 1000;
    std::vector<std::string> names;                                // get
    std::vector<std::pair<std::string, std::string>> assignments;  // set
    std::string action;
};

struct CliParse {
    std::optional<CliOptions> options;
    std::string error;  // when options is empty
};

CliParse ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kCliUsage;

}  // namespace quorvel
