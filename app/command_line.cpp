#include "app/command_line.h"

#include <charconv>
#include <cstdio>

namespace sonvik {

namespace {

std::string_view Trim(std::string_view text) {
    const auto nFirst = text.find_first_not_of(" \t\r");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    const auto nLast = text.find_last_not_of(" \t\r");
    return text.substr(nFirst, nLast - nFirst + 1);
}

std::string Hex(std::uint32_t nValue) {
    char szText[16];
    std::snprintf(szText, sizeof szText, "0x%04X", static_cast<unsigned>(nValue));
    return szText;
}

bool ParseIdOption(std::string_view name, std::string_view value, std::optional<std::uint32_t>& id,
                   std::string& error) {
    std::uint32_t nId = 0;
    if (!ParseUsbId(value, nId)) {
        error = std::string(name) + ": '" + std::string(value) +
                "' is not a USB ID (0 to 0xFFFF, in hex with 0x or in decimal)";
        return false;
    }
    id = nId;
    return true;
}

bool ParseFlag(std::string_view arg, CommandLine& options) {
    if (arg == "--debug") {
        options.bDebug = true;
    } else if (arg == "--simulate") {
        options.bSimulate = true;
    } else if (arg == "--console") {
        options.bConsole = true;
    } else if (arg == "--help" || arg == "-h") {
        options.bHelp = true;
    } else if (arg == "--version") {
        options.bVersion = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool ParseUsbId(std::string_view text, std::uint32_t& nId) {
    int nBase = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        nBase = 16;
    }
    std::uint32_t nValue = 0;
    const auto [pEnd, error] =
        std::from_chars(text.data(), text.data() + text.size(), nValue, nBase);
    if (text.empty() || error != std::errc() || pEnd != text.data() + text.size() ||
        nValue > 0xFFFF) {
        return false;
    }
    nId = nValue;
    return true;
}

bool ParseCommandLine(std::span<const std::string_view> args, CommandLine& options,
                      std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (ParseFlag(arg, options)) {
            continue;
        }
        const std::string_view name = arg.substr(0, arg.find('='));
        if (name != "--vid" && name != "--pid") {
            error = "unknown option '" + std::string(arg) + "' (see --help)";
            return false;
        }
        std::string_view value;
        if (name.size() < arg.size()) {
            value = arg.substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = std::string(name) + " needs a value";
            return false;
        }
        auto& id = name == "--vid" ? options.vendorId : options.productId;
        if (!ParseIdOption(name, value, id, error)) {
            return false;
        }
    }
    return true;
}

bool ParseConfigText(std::string_view text, ConfigFile& config, std::string& error) {
    int nLine = 0;
    while (!text.empty()) {
        ++nLine;
        const auto nEnd = text.find('\n');
        std::string_view line = Trim(text.substr(0, nEnd));
        text = nEnd == std::string_view::npos ? std::string_view() : text.substr(nEnd + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const auto nEquals = line.find('=');
        const std::string_view key = Trim(line.substr(0, nEquals));
        if (nEquals == std::string_view::npos || (key != "vid" && key != "pid")) {
            error = "line " + std::to_string(nLine) + ": expected 'vid = ID' or 'pid = ID'";
            return false;
        }
        auto& id = key == "vid" ? config.vendorId : config.productId;
        if (!ParseIdOption("line " + std::to_string(nLine) + ": " + std::string(key),
                           Trim(line.substr(nEquals + 1)), id, error)) {
            return false;
        }
    }
    return true;
}

UsbIds ChooseUsbIds(const CommandLine& options, const ConfigFile& config, UsbIds defaults) {
    return {options.vendorId.value_or(config.vendorId.value_or(defaults.nVendorId)),
            options.productId.value_or(config.productId.value_or(defaults.nProductId))};
}

std::string HelpText(std::string_view program, std::string_view configPath, UsbIds defaults) {
    return "Usage: " + std::string(program) +
           " [OPTION]...\n"
           "Sonvik plays the telephone behind a USB Bluetooth hands-free dongle.\n\n"
           "  --vid ID      USB vendor ID to look for (default " +
           Hex(defaults.nVendorId) +
           ")\n"
           "  --pid ID      USB product ID to look for (default " +
           Hex(defaults.nProductId) +
           ")\n"
           "                IDs are hex with 0x, or decimal\n"
           "  --simulate    run against the built-in simulated dongle\n"
           "  --console     also take commands on standard input\n"
           "  --debug       write the diagnostic lines to standard error\n"
           "  --help        show this text\n"
           "  --version     show the version\n\n"
           "The IDs can also be set in " +
           std::string(configPath) +
           " as lines 'vid = 0x0A12' and 'pid = 0x1004'.\n"
           "The command line wins over that file, and the file over the defaults.\n";
}

}  // namespace sonvik
