// The sub-command parser: option forms, the end of options, and which usage error wins.
#include "cli/command_line.h"

#include <gtest/gtest.h>

namespace lumetra::cli {
namespace {

const Option kPort {"port", "Port.", "DEVICE", {}};
const Option kBaud {"baud", "Baud code.", "CODE", "4"};
const Option kUsb {"usb", "USB.", {}, {}};
const Option kMemory {"memory", "Channel.", "SPEC", {}};

struct Parsed {
    std::optional<int> end;
    std::string error; // the first line printed on standard error
    CommandLine line;
};

Parsed parse(Arguments arguments, std::size_t minArgs = 0, std::size_t maxArgs = 2)
{
    arguments.insert(arguments.begin(), "lumetra-cli read");
    CommandLine line(arguments, "Reads.");
    line.addPositional("ADDR", "Address.");
    line.addPositional("COUNT", "Count.", "[COUNT]");
    for (const Option& option : {kPort, kBaud, kUsb})
        line.addOption(option);
    line.addRepeatableOption(kMemory);
    testing::internal::CaptureStderr();
    const std::optional<int> end = line.parse(minArgs, maxArgs);
    const std::string err = testing::internal::GetCapturedStderr();
    return {end, err.substr(0, err.find('\n')), line};
}

TEST(CommandLine, TakesValuesInBothFormsAndKeepsPositionalsInOrder)
{
    const Parsed spaced = parse({"0x100", "--port", "--usb", "3", "--baud=7"});
    ASSERT_FALSE(spaced.end) << spaced.error;
    EXPECT_EQ(spaced.line.value(kPort), "--usb"); // the next argument, whatever it is
    EXPECT_FALSE(spaced.line.isSet(kUsb));
    EXPECT_EQ(spaced.line.value(kBaud), "7");
    EXPECT_EQ(spaced.line.arguments(), (Arguments {"0x100", "3"}));

    const Parsed defaults = parse({"--usb", "--usb", "-", "--", "--port"});
    ASSERT_FALSE(defaults.end) << defaults.error;
    EXPECT_TRUE(defaults.line.isSet(kUsb));
    EXPECT_FALSE(defaults.line.isSet(kBaud));
    EXPECT_EQ(defaults.line.value(kBaud), "4");
    EXPECT_EQ(defaults.line.arguments(), (Arguments {"-", "--port"}));

    const Parsed repeated = parse({"--memory", "a", "--memory=b"});
    ASSERT_FALSE(repeated.end) << repeated.error;
    EXPECT_EQ(repeated.line.values(kMemory), (Arguments {"a", "b"}));
}

TEST(CommandLine, UsageErrorsNameTheArgumentAndExitTwo)
{
    const struct {
        Arguments arguments;
        std::string error;
    } cases[] = {
        {{"--bogus=1"}, "lumetra-cli read: unknown option '--bogus'"},
        {{"-json"}, "lumetra-cli read: unknown option '-json'"},
        {{"-5"}, "lumetra-cli read: unknown option '-5' (a number cannot be negative here)"},
        {{"--port"}, "lumetra-cli read: missing value after '--port'"},
        {{"--port", "a", "--bogus", "--baud"}, "lumetra-cli read: unknown option '--bogus'"},
        {{"--usb=yes"}, "lumetra-cli read: unexpected value after '--usb'"},
        {{"--port", "a", "--port=b"}, "lumetra-cli read: --port is given more than once"},
        {{}, "lumetra-cli read: missing ADDR"},
        {{"1", "2", "3"}, "lumetra-cli read: unexpected argument '3'"},
    };
    for (const auto& c : cases) {
        const Parsed parsed = parse(c.arguments, 1, 2);
        EXPECT_EQ(parsed.end, kUsageErrorExitCode) << c.error;
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(CommandLine, HelpEndsWithZeroAndShowsTheUsageLineFirst)
{
    for (const Arguments& arguments : {Arguments {"--help"}, Arguments {"-h"}, Arguments {"1", "2", "3", "-h"}}) {
        testing::internal::CaptureStdout();
        const Parsed parsed = parse(arguments, 1, 2);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(parsed.end, 0);
        EXPECT_EQ(out.rfind("Usage: lumetra-cli read [options] ADDR [COUNT]\nReads.\n", 0), 0u) << out;
        EXPECT_NE(out.find("  --port <DEVICE>"), std::string::npos) << out;
    }
}

} // namespace
} // namespace lumetra::cli
