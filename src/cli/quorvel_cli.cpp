// quorvel-cli: a lab logger for a headless PC, a script's way to configure a module.
#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace {

extern "C" void OnStopSignal(int) {
    quorvel::CliRunner::RequestStop();
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    const std::vector<std::string> args(argv + 1, argv + argc);
    quorvel::SystemClock clock;
    quorvel::CliRunner runner(std::cout, std::cerr, quorvel::ReadUserRegionalSettings(), clock);
    const int exit = runner.Run(args);
    std::cout.flush();
    return exit;
}
