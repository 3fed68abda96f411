// quorvel-cli end to end: the virtual module on a pseudo-terminal and the built-in demo
// module, real files in a temporary folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "cli/cli_runner.h"
#include "link/frame_builder.h"
#include "sim/pty_module_server.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FixedClock final : public Clock {
  public:
    LocalDateTime Now() const override { return {2014, 5, 30, 8, 5, 59, 0}; }
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string LastLine(const std::string& text) {
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\n') trimmed.pop_back();
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

const MeasurementSet kConstant{1.25f, 12.0f, 13.25f, -10.75f, 0, 2};

struct Cli {
    int Run(std::vector<std::string> args) {
        std::ostringstream o;
        std::ostringstream e;
        CliRunner runner(o, e, RegionalSettings::Polish(), clock);
        const int exit = runner.Run(args);
        out = o.str();
        err = e.str();
        return exit;
    }
    FixedClock clock;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir = fs::temp_directory_path() / ("quorvel-cli-" + std::to_string(seed()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::unique_ptr<PtyModuleServer> Module(PtyModuleServer::Options options = {}) {
        if (!options.constant) options.constant = kConstant;
        auto server = std::make_unique<PtyModuleServer>(options);
        std::string error;
        EXPECT_TRUE(server->Start(error)) << error;
        return server;
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
    Cli cli;
};

TEST_F(CliTest, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"fly"},
        {"monitor"},
        {"record", "--port", "Symulator"},
        {"record", "--port", "Symulator", "--file", "x.csv", "--split", "20"},
        {"record", "--port", "Symulator", "--file", "x.csv", "--columns", "date,volts"},
        {"record", "--port", "Symulator", "--file", "x.csv", "--decimals", "6"},
        {"get", "--port", "Symulator"},
        {"set", "--port", "Symulator", "freq"},
        {"monitor", "--port", "Symulator", "--frames", "3"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
        EXPECT_EQ(cli.Run(args), kExitUsage);
        EXPECT_NE(cli.err.find("usage:"), std::string::npos);
        EXPECT_TRUE(cli.out.empty());
    }
}

TEST_F(CliTest, PortsEndWithTheDemoModule) {
    EXPECT_EQ(cli.Run({"ports"}), kExitOk);
    EXPECT_EQ(LastLine(cli.out), "Symulator\tbuilt-in demo module");
}

TEST_F(CliTest, PortThatCannotBeOpened) {
    EXPECT_EQ(cli.Run({"monitor", "--port", "/dev/quorvel-missing"}), kExitNoPort);
    EXPECT_EQ(cli.err,
              "Device \"/dev/quorvel-missing\" Open Error !!!\r\nNo such file or directory\n");
    EXPECT_TRUE(cli.out.empty());
}

TEST_F(CliTest, RecordsEveryColumnWithCorruptedFramesCounted) {
    PtyModuleServer::Options options;
    options.rate = 100;
    options.faults.corruptFraction = 0.2;
    options.faults.seed = 3;
    auto module = Module(options);
    const std::string file = Path("pomiary.csv");
    ASSERT_EQ(cli.Run({"record", "--port", module->SlavePath(), "--file", file, "--frames", "25"}),
              kExitOk)
        << cli.err;
    std::string expected(kCsvHeader);
    for (int i = 0; i < 25; ++i) {
        expected += "2014-05-30;08:05:59;" + std::to_string(i) + ";1,25;12,00;13,25;-10,75;\r\n";
    }
    EXPECT_EQ(ReadFile(file), expected);
    std::smatch counters;
    const std::string last = LastLine(cli.out);
    ASSERT_TRUE(std::regex_match(last, counters, std::regex(R"(rx=(\d+) tx=1 err=(\d+))"))) << last;
    EXPECT_GE(std::stoi(counters[1]), 26);  // 25 measurements and the firmware answer
    EXPECT_GT(std::stoi(counters[2]), 0);
}

TEST_F(CliTest, RecordsColumnSubsetsIntoPartFiles) {
    PtyModuleServer::Options options;
    options.rate = 100;
    auto module = Module(options);
    ASSERT_EQ(cli.Run({"record", "--port", module->SlavePath(), "--file", Path("p.csv"), "--frames",
                       "25", "--columns", "counter,in2", "--decimals", "3", "--split", "10",
                       "--clear-counter"}),
              kExitOk)
        << cli.err;
    const auto part = [](int first, int count) {
        std::string text(kCsvHeader);
        for (int i = first; i < first + count; ++i) {
            text += ";;" + std::to_string(i) + ";;12,000;;;\r\n";
        }
        return text;
    };
    EXPECT_EQ(ReadFile(Path("p_0.csv")), part(0, 10));
    EXPECT_EQ(ReadFile(Path("p_1.csv")), part(0, 10));
    EXPECT_EQ(ReadFile(Path("p_2.csv")), part(0, 5));
    EXPECT_FALSE(fs::exists(Path("p_3.csv")));
}

TEST_F(CliTest, SetThenGetRoundTrip) {
    PtyModuleServer::Options options;
    options.streaming = false;
    auto module = Module(options);
    const std::string port = module->SlavePath();
    ASSERT_EQ(cli.Run({"set", "--port", port, "freq=250", "fcon=-5", "mode1=4~20mA", "modem2=14",
                       "umin1=1,5", "calib1=-0,25"}),
              kExitOk)
        << cli.err;
    // The firmware answer may come after the link is closed: rx is 0 or 1.
    EXPECT_TRUE(std::regex_match(cli.out,
                                 std::regex("freq=250\nfcon=300 \\(clamped\\)\nmode1=2\nmodem2=14\n"
                                            "umin1=1,5\ncalib1=-0,25\nrx=[01] tx=7 err=0\n")))
        << cli.out;
    ASSERT_EQ(cli.Run({"get", "--port", port, "--decimals", "3", "freq", "fcon", "mode1", "modem2",
                       "umin1", "firmware"}),
              kExitOk)
        << cli.err;
    const std::string answers =
        "freq=250\nfcon=300\nmode1=4~20mA\nmodem2=K*(A2-A1)\numin1=1,500\nfirmware=SIM1\n";
    EXPECT_EQ(cli.out.substr(0, answers.size()), answers);
    EXPECT_TRUE(std::regex_match(LastLine(cli.out), std::regex("rx=[78] tx=7 err=0")));
}

TEST_F(CliTest, InvalidValuesSendNothing) {
    PtyModuleServer::Options options;
    options.streaming = false;
    auto module = Module(options);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"freq=100", "umin1=12x"}, "umin1: not a number\n"},
        {{"mode1=9"}, "mode1: not in the list\n"},
        {{"mode1=0~10v"}, "mode1: not in the list\n"},
        {{"speed=3"}, "speed: unknown parameter\n"},
        {{"uart=1.5"}, "uart: not a number\n"},
    };
    for (const auto& [values, message] : cases) {
        std::vector<std::string> args = {"set", "--port", module->SlavePath()};
        args.insert(args.end(), values.begin(), values.end());
        EXPECT_EQ(cli.Run(args), kExitUsage);
        EXPECT_EQ(cli.err, message);
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(module->ReceivedBytes().empty());
}

TEST_F(CliTest, GetWithoutAnswer) {
    PtyModuleServer::Options options;
    options.streaming = false;
    options.answerCommands = false;
    auto module = Module(options);
    EXPECT_EQ(cli.Run({"get", "--port", module->SlavePath(), "--timeout-ms", "200", "uart"}),
              kExitNoAnswer);
    EXPECT_EQ(cli.err, "uart: no answer\n");
    EXPECT_EQ(cli.out, "rx=0 tx=2 err=0\n");
    EXPECT_EQ(cli.Run({"get", "--port", module->SlavePath(), "calib1"}), kExitUsage);
    EXPECT_EQ(cli.err, "calib1: cannot be read\n");
}

TEST_F(CliTest, ActionsReachTheModule) {
    PtyModuleServer::Options options;
    options.streaming = false;
    auto module = Module(options);
    ASSERT_EQ(cli.Run({"action", "--port", module->SlavePath(), "measure"}), kExitOk) << cli.err;
    EXPECT_TRUE(
        std::regex_match(cli.out.substr(0, cli.out.find('\n')),
                         std::regex(R"(\d+,\d\d \[V\]\t\d+,\d\d \[mA\]\t.+ \[\.\.\.\]\t.+)")))
        << cli.out;
    for (const char* action : {"input1-defaults", "input2-defaults", "factory-defaults"}) {
        ASSERT_EQ(cli.Run({"action", "--port", module->SlavePath(), action}), kExitOk);
    }
    const std::vector<uint8_t> received = module->ReceivedBytes();
    std::vector<uint8_t> tail(received.end() - 16, received.end());
    const auto defaults = MakeIntFrame(kTypeWrite, 25, 0);
    EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), tail.end() - 10));
}

TEST_F(CliTest, HangUpDuringRecordKeepsEveryRecord) {
    PtyModuleServer::Options options;
    options.rate = 100;
    auto module = Module(options);
    const std::string file = Path("lost.csv");
    std::thread unplug([&] {
        std::this_thread::sleep_for(500ms);
        module->HangUp();
    });
    const int exit = cli.Run({"record", "--port", module->SlavePath(), "--file", file});
    unplug.join();
    EXPECT_EQ(exit, kExitNoPort);
    EXPECT_NE(cli.err.find("port lost"), std::string::npos);
    std::smatch counters;
    const std::string last = LastLine(cli.out);
    ASSERT_TRUE(std::regex_match(last, counters, std::regex(R"(rx=(\d+) tx=1 err=0)"))) << last;
    const std::string content = ReadFile(file);
    const auto lines = std::count(content.begin(), content.end(), '\n');
    EXPECT_GT(lines, 10);
    EXPECT_EQ(lines - 1, std::stoi(counters[1]) - 1);  // every measurement but the firmware
}

TEST_F(CliTest, MonitorOnTheDemoModule) {
    ASSERT_EQ(cli.Run({"monitor", "--port", "Symulator", "--seconds", "0.5", "--decimals", "1"}),
              kExitOk);
    std::istringstream lines(cli.out);
    std::string line;
    int readouts = 0;
    const std::regex readout(
        R"(-?\d+,\d \[V\]\t-?\d+,\d \[mA\]\t-?\d+,\d \[\.\.\.\]\t-?\d+,\d \[\.\.\.\])");
    while (std::getline(lines, line)) {
        if (line.rfind("rx=", 0) == 0) break;
        EXPECT_TRUE(std::regex_match(line, readout)) << line;
        ++readouts;
    }
    EXPECT_GE(readouts, 5);
    EXPECT_TRUE(std::regex_match(LastLine(cli.out), std::regex(R"(rx=\d+ tx=1 err=0)")));
}

// The real program, stopped by SIGTERM in the middle of a recording.
TEST_F(CliTest, SigtermClosesTheRecording) {
    const std::string file = Path("term.csv");
    const std::string output = Path("out.txt");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (freopen(output.c_str(), "w", stdout) == nullptr) _exit(126);
        setenv("LC_ALL", "C", 1);  // dates 05/30/14, decimal point
        execl(QUORVEL_CLI_PATH, "quorvel-cli", "record", "--port", "Symulator", "--file",
              file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(800ms);
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitOk);
    EXPECT_TRUE(std::regex_match(LastLine(ReadFile(output)), std::regex(R"(rx=\d+ tx=1 err=0)")));
    const std::string content = ReadFile(file);
    EXPECT_EQ(content.rfind(std::string(kCsvHeader), 0), 0u);
    EXPECT_TRUE(std::regex_search(
        content, std::regex(R"(\r\n\d{2}/\d{2}/\d{2};\d{2}:\d{2}:\d{2};0;[-0-9.]+;)")))
        << content.substr(0, 200);
    EXPECT_EQ(content.substr(content.size() - 2), "\r\n");
}

}  // namespace
}  // namespace quorvel
