#include "app/linux/program_options.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/sonvik_app.h"

#ifndef SONVIK_DEFAULT_VENDOR_ID
#error "the build sets SONVIK_DEFAULT_VENDOR_ID"
#endif
#ifndef SONVIK_VERSION
#define SONVIK_VERSION "unknown"
#endif

namespace sonvik {

namespace {

constexpr int kUsageError = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "sonvik: %s\n", message.c_str());
    return kUsageError;
}

}  // namespace

std::string ConfigFilePath() {
    if (const char* pszConfig = std::getenv("XDG_CONFIG_HOME"); pszConfig && *pszConfig) {
        return std::string(pszConfig) + "/sonvik/sonvik.conf";
    }
    const char* pszHome = std::getenv("HOME");
    return std::string(pszHome ? pszHome : "") + "/.config/sonvik/sonvik.conf";
}

int ReadProgramOptions(int argc, char** argv, ProgramOptions& program) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    if (!ParseCommandLine(args, program.options, error)) {
        return Fail(error);
    }
    const UsbIds defaults{SONVIK_DEFAULT_VENDOR_ID, kDefaultProductId};
    const std::string configPath = ConfigFilePath();
    if (program.options.bHelp) {
        std::fputs(HelpText("sonvik", configPath, defaults).c_str(), stdout);
        return 0;
    }
    if (program.options.bVersion) {
        std::printf("sonvik %s\n", SONVIK_VERSION);
        return 0;
    }
    ConfigFile config;
    if (std::ifstream file(configPath); file) {
        const std::string text(std::istreambuf_iterator<char>(file), {});
        if (!ParseConfigText(text, config, error)) {
            return Fail(configPath + ": " + error);
        }
    }
    program.ids = ChooseUsbIds(program.options, config, defaults);
    return -1;
}

}  // namespace sonvik
