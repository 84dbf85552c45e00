#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace sonvik {
namespace {

bool Parse(std::vector<std::string_view> args, CommandLine& options, std::string& error) {
    return ParseCommandLine(args, options, error);
}

TEST(CommandLine, ReadsIdsInHexOrDecimalAndTheFlags) {
    CommandLine options;
    std::string error;
    ASSERT_TRUE(Parse({"--vid", "0x0a12", "--pid=4100", "--debug", "--simulate", "--console"},
                      options, error))
        << error;
    EXPECT_EQ(options.vendorId, 0x0A12u);
    EXPECT_EQ(options.productId, 4100u);
    EXPECT_TRUE(options.bDebug && options.bSimulate && options.bConsole);
    EXPECT_FALSE(options.bHelp || options.bVersion);

    CommandLine none;
    ASSERT_TRUE(Parse({}, none, error));
    EXPECT_FALSE(none.vendorId || none.productId);
}

TEST(CommandLine, RejectsWhatIsNotAUsbIdOrAnOption) {
    const std::vector<std::vector<std::string_view>> kBad = {
        {"--vid"},          {"--vid", ""},    {"--vid=0x"},      {"--vid", "0x10000"},
        {"--pid", "65536"}, {"--pid", "-1"},  {"--pid", "12ab"}, {"--vid", "0xg1"},
        {"--pid", " 12"},   {"--vid", "1e3"}, {"--frobnicate"},  {"extra"},
        {"--vid=0x0A12x"},  {"--pid=+5"},
    };
    for (const auto& args : kBad) {
        CommandLine options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << args.front() << " " << args.size();
        EXPECT_FALSE(error.empty());
    }
    CommandLine options;
    std::string error;
    Parse({"--vid", "0x10000"}, options, error);
    EXPECT_NE(error.find("0x10000"), std::string::npos) << error;  // says which value
}

TEST(CommandLine, ConfigFileLinesCommentsAndErrors) {
    ConfigFile config;
    std::string error;
    ASSERT_TRUE(ParseConfigText("# Sonvik\n\n  vid = 0x1234 \r\npid=99\n", config, error)) << error;
    EXPECT_EQ(config.vendorId, 0x1234u);
    EXPECT_EQ(config.productId, 99u);

    for (const char* pszBad :
         {"vid\n", "vid = \n", "colour = blue\n", "pid = 0x1FFFF\n", "# ok\nvid = twelve\n"}) {
        ConfigFile bad;
        EXPECT_FALSE(ParseConfigText(pszBad, bad, error)) << pszBad;
    }
    ConfigFile bad;
    ParseConfigText("\n\nvid = x\n", bad, error);
    EXPECT_EQ(error.rfind("line 3", 0), 0u) << error;
}

TEST(CommandLine, CommandLineWinsOverTheFileOverTheDefaults) {
    const UsbIds defaults{0x0A12, 0x1004};
    CommandLine options;
    ConfigFile config;
    EXPECT_EQ(ChooseUsbIds(options, config, defaults).nVendorId, 0x0A12u);
    config.vendorId = 0x1111;
    config.productId = 0x2222;
    EXPECT_EQ(ChooseUsbIds(options, config, defaults).nVendorId, 0x1111u);
    options.vendorId = 0x3333;
    const UsbIds ids = ChooseUsbIds(options, config, defaults);
    EXPECT_EQ(ids.nVendorId, 0x3333u);
    EXPECT_EQ(ids.nProductId, 0x2222u);
}

}  // namespace
}  // namespace sonvik
