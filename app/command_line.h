#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sonvik {

// What the user asked for on the command line.
struct CommandLine {
    std::optional<std::uint32_t> vendorId;
    std::optional<std::uint32_t> productId;
    bool bDebug = false;     // diagnostic lines on standard error
    bool bSimulate = false;  // the in-process simulated dongle instead of the HID transport
    bool bConsole = false;   // commands on standard input, reports on standard output
    bool bHelp = false;
    bool bVersion = false;
};

// The optional configuration file: the same two IDs.
struct ConfigFile {
    std::optional<std::uint32_t> vendorId;
    std::optional<std::uint32_t> productId;
};

// A USB ID in hex with 0x or in decimal, 0 to 0xFFFF; false for anything else.
bool ParseUsbId(std::string_view text, std::uint32_t& nId);

// Both answer false with a one-line reason in error, and never a silent default: a typo must
// not leave the tool searching for an ID that no dongle has.
bool ParseCommandLine(std::span<const std::string_view> args, CommandLine& options,
                      std::string& error);
bool ParseConfigText(std::string_view text, ConfigFile& config, std::string& error);

// The IDs to look for: the command line over the configuration file over the defaults.
struct UsbIds {
    std::uint32_t nVendorId;
    std::uint32_t nProductId;
};
UsbIds ChooseUsbIds(const CommandLine& options, const ConfigFile& config, UsbIds defaults);

std::string HelpText(std::string_view program, std::string_view configPath, UsbIds defaults);

}  // namespace sonvik
