#pragma once

#include <string>

#include "app/command_line.h"

namespace sonvik {

struct ProgramOptions {
    CommandLine options;
    UsbIds ids{};
};

// Where the optional configuration file lives: $XDG_CONFIG_HOME/sonvik/sonvik.conf, or
// ~/.config/sonvik/sonvik.conf.
std::string ConfigFilePath();

// Reads the command line and the configuration file. Answers -1 when the program is to run, or
// the exit status when it is done: 0 after --help or --version, 2 after an error, which it has
// written to standard error.
int ReadProgramOptions(int argc, char** argv, ProgramOptions& program);

}  // namespace sonvik
