// quorvel-sim: a virtual module on a pseudo-terminal, for trying the program without the
// module and for end-to-end tests. Prints the path to open as the serial port.
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "sim/pty_module_server.h"

namespace {

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested.store(true);
}

int Usage() {
    std::cerr << "usage: quorvel-sim [--rate 0..100] [--corrupt FRACTION] [--noise FRACTION]\n"
                 "                   [--split] [--seed N] [--hangup-after SECONDS]\n"
                 "                   [--values CH1,CH2,FX1,FX2]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    quorvel::PtyModuleServer::Options options;
    double hangUpAfter = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        char* end = nullptr;
        if (arg == "--split") {
            options.faults.splitWrites = true;
        } else if (arg == "--rate" && hasValue) {
            options.uart = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (options.uart < 0 || options.uart > 100) return Usage();
        } else if (arg == "--corrupt" && hasValue) {
            options.faults.corruptFraction = std::strtod(argv[++i], &end);
        } else if (arg == "--noise" && hasValue) {
            options.faults.noiseFraction = std::strtod(argv[++i], &end);
        } else if (arg == "--seed" && hasValue) {
            options.faults.seed = static_cast<uint32_t>(std::strtoul(argv[++i], &end, 10));
        } else if (arg == "--values" && hasValue) {
            // Every frame carries these four values, inputs in 0~10V and 4~20mA.
            quorvel::MeasurementSet m{0, 0, 0, 0, 0, 2};
            float* fields[4] = {&m.Ch1, &m.Ch2, &m.Fx1, &m.Fx2};
            const char* p = argv[++i];
            for (int k = 0; k < 4; ++k) {
                *fields[k] = std::strtof(p, &end);
                if (end == p || (k < 3 && *end != ',')) return Usage();
                p = end + (k < 3 ? 1 : 0);
            }
            options.constant = m;
        } else if (arg == "--hangup-after" && hasValue) {
            hangUpAfter = std::strtod(argv[++i], &end);
        } else {
            return Usage();
        }
        if (end != nullptr && *end != '\0') return Usage();
    }
    if (options.faults.corruptFraction < 0 || options.faults.noiseFraction < 0) {
        return Usage();
    }

    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    quorvel::PtyModuleServer server(options);
    std::string error;
    if (!server.Start(error)) {
        std::cerr << "quorvel-sim: cannot create a pseudo-terminal: " << error << '\n';
        return 1;
    }
    std::cout << server.SlavePath() << std::endl;

    const auto started = std::chrono::steady_clock::now();
    while (!stopRequested.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (hangUpAfter >= 0 && std::chrono::steady_clock::now() - started >=
                                    std::chrono::duration<double>(hangUpAfter)) {
            server.HangUp();
            hangUpAfter = -1;
        }
    }
    server.Stop();
    return 0;
}
