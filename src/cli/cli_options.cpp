#include "cli/cli_options.h"

#include <charconv>
#include <map>

namespace quorvel {

const char* const kCliUsage =
    "usage: quorvel-cli ports\n"
    "       quorvel-cli monitor  --port P [--seconds S] [--decimals D]\n"
    "       quorvel-cli record   --port P --file F [--seconds S] [--frames N]\n"
    "                            [--columns date,time,counter,in1,in2,fx1,fx2] [--decimals D]\n"
    "                            [--split 10|100|1000|10000|100000|1000000] [--clear-counter]\n"
    "       quorvel-cli get      --port P [--decimals D] [--timeout-ms T] NAME...\n"
    "       quorvel-cli set      --port P NAME=VALUE...\n"
    "       quorvel-cli action   --port P "
    "factory-defaults|input1-defaults|input2-defaults|measure\n";

namespace {

template <typename Number>
bool ReadNumber(const std::string& text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ReadColumns(const std::string& list, RecorderOptions& options) {
    const std::map<std::string, bool RecorderOptions::*> columns = {
        {"date", &RecorderOptions::saveDate},   {"time", &RecorderOptions::saveTime},
        {"counter", &RecorderOptions::saveCnt}, {"in1", &RecorderOptions::saveAdc1},
        {"in2", &RecorderOptions::saveAdc2},    {"fx1", &RecorderOptions::saveMath1},
        {"fx2", &RecorderOptions::saveMath2}};
    for (const auto& [name, member] : columns) options.*member = false;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = std::min(list.find(',', start), list.size());
        const auto column = columns.find(list.substr(start, comma - start));
        if (column == columns.end()) return false;
        options.*(column->second) = true;
        start = comma + 1;
    }
    return true;
}

}  // namespace

CliParse ParseCommandLine(const std::vector<std::string>& args) {
    CliParse parse;
    if (args.empty()) {
        parse.error = "no command";
        return parse;
    }
    const std::map<std::string, CliCommand> commands = {
        {"ports", CliCommand::Ports},   {"monitor", CliCommand::Monitor},
        {"record", CliCommand::Record}, {"get", CliCommand::Get},
        {"set", CliCommand::Set},       {"action", CliCommand::Action}};
    const auto command = commands.find(args[0]);
    if (command == commands.end()) {
        parse.error = "unknown command " + args[0];
        return parse;
    }
    CliOptions o;
    o.command = command->second;
    const auto fail = [&](const std::string& message) {
        parse.error = message;
        return parse;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = arg.rfind("--", 0) == 0;
        if (isOption && arg == "--clear-counter" && o.command == CliCommand::Record) {
            o.recorder.clearCnt = true;
            continue;
        }
        if (isOption) {
            if (i + 1 >= args.size()) return fail(arg + " needs a value");
            const std::string& value = args[++i];
            const bool record = o.command == CliCommand::Record;
            if (arg == "--port" && o.command != CliCommand::Ports) {
                o.port = value;
            } else if (arg == "--seconds" && (record || o.command == CliCommand::Monitor)) {
                double seconds = 0;
                if (!ReadNumber(value, seconds) || !(seconds > 0))
                    return fail("bad --seconds " + value);
                o.seconds = seconds;
            } else if (arg == "--frames" && record) {
                uint64_t frames = 0;
                if (!ReadNumber(value, frames) || frames == 0) return fail("bad --frames " + value);
                o.frames = frames;
            } else if (arg == "--file" && record) {
                o.file = value;
            } else if (arg == "--columns" && record) {
                if (!ReadColumns(value, o.recorder)) return fail("bad --columns " + value);
            } else if (arg == "--split" && record) {
                const std::map<std::string, int> splits = {{"10", 0},     {"100", 1},
                                                           {"1000", 2},   {"10000", 3},
                                                           {"100000", 4}, {"1000000", 5}};
                const auto split = splits.find(value);
                if (split == splits.end()) return fail("bad --split " + value);
                o.recorder.cutFile = true;
                o.splitIndex = split->second;
            } else if (arg == "--decimals" && (record || o.command == CliCommand::Monitor ||
                                               o.command == CliCommand::Get)) {
                if (!ReadNumber(value, o.decimals) || o.decimals < 0 || o.decimals > 5) {
                    return fail("bad --decimals " + value);
                }
            } else if (arg == "--timeout-ms" && o.command == CliCommand::Get) {
                if (!ReadNumber(value, o.timeoutMs) || o.timeoutMs < 0) {
                    return fail("bad --timeout-ms " + value);
                }
            } else {
                return fail("unknown option " + arg);
            }
            continue;
        }
        if (o.command == CliCommand::Get) {
            o.names.push_back(arg);
        } else if (o.command == CliCommand::Set) {
            const size_t equals = arg.find('=');
            if (equals == std::string::npos || equals == 0)
                return fail("expected NAME=VALUE: " + arg);
            o.assignments.emplace_back(arg.substr(0, equals), arg.substr(equals + 1));
        } else if (o.command == CliCommand::Action && o.action.empty()) {
            o.action = arg;
        } else {
            return fail("unexpected " + arg);
        }
    }
    o.recorder.decimals = o.decimals;
    if (o.command != CliCommand::Ports && o.port.empty()) return fail("--port is missing");
    if (o.command == CliCommand::Record && o.file.empty()) return fail("--file is missing");
    if (o.command == CliCommand::Get && o.names.empty()) return fail("no NAME to get");
    if (o.command == CliCommand::Set && o.assignments.empty()) return fail("no NAME=VALUE to set");
    if (o.command == CliCommand::Action && o.action.empty()) return fail("no action");
    parse.options = o;
    return parse;
}

}  // namespace quorvel
