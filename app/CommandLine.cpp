#include "app/CommandLine.h"

namespace corsel {

namespace {

constexpr std::string_view kSimulateOption = "--simulate";

}  // namespace

CommandLine CommandLine::parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    // Only the first fault is reported: later ones may just follow from it.
    auto refuse = [&line](std::string why) {
        if (line.error.empty()) {
            line.error = std::move(why);
        }
    };
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const std::string_view text = argument;
        if (!optionsEnded && text.size() > 1 && text.front() == '-') {
            if (text == "--") {
                optionsEnded = true;
            } else if (text == "--help" || text == "-h") {
                line.help = true;
            } else if (text == kSimulateOption) {
                line.simulate = true;
                line.scenario = kDefaultScenario;
            } else if (text.starts_with(kSimulateOption) && text[kSimulateOption.size()] == '=') {
                line.simulate = true;
                line.scenario = text.substr(kSimulateOption.size() + 1);
                if (line.scenario.empty()) {
                    refuse("--simulate= needs a scenario name");
                }
            } else {
                refuse("unknown option '" + argument + "'");
            }
        } else if (line.recordingFile.empty()) {
            line.recordingFile = argument;
        } else {
            refuse("only one recording can be opened; '" + argument + "' is one too many");
        }
    }
    return line;
}

CommandLine CommandLine::parse(int argc, const char* const argv[]) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return parse(arguments);
}

std::string commandLineUsage(std::string_view programName) {
    std::string usage = "Usage: ";
    usage += programName;
    usage +=
        " [--simulate[=SCENARIO]] [RECORDING]\n"
        "\n"
        "  RECORDING               a recording to open at start\n"
        "  --simulate[=SCENARIO]   work with a simulated interface module instead of\n"
        "                          the one on USB (scenario \"standard\" unless named)\n"
        "  -h, --help              show this help and quit\n";
    return usage;
}

}  // namespace corsel
