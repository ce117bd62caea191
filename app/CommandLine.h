#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corsel {

// What the program was started with:
//   corsel-diagnostic-system [--simulate[=SCENARIO]] [RECORDING]
struct CommandLine {
    static constexpr std::string_view kDefaultScenario = "standard";

    // The first argument that is not an option (a desktop opens a recording
    // this way); empty when there is none.
    std::string recordingFile;
    bool simulate = false;
    std::string scenario;  // set with --simulate
    bool help = false;
    // Why the command line can't be used; empty when it can.
    std::string error;

    // `arguments` come without the program name.
    static CommandLine parse(const std::vector<std::string>& arguments);
    static CommandLine parse(int argc, const char* const argv[]);
};

// The text that --help prints.
std::string commandLineUsage(std::string_view programName);

}  // namespace corsel
