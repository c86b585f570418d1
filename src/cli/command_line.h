// The command line of one sub-command: its options and positional arguments, its help, and its usage errors.
// Options are long ("--name", "--name=value", "--name value"); "-h" and "--help" ask for the help; "--" ends the
// options.
#pragma once

#include "cli/command.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::cli {

// Exit code of a bad invocation: an unknown option, a missing or stray argument, a bad or out-of-range value.
inline constexpr int kUsageErrorExitCode = 2;

struct Option {
    std::string name;
    std::string description;
    std::string valueName; // empty for a switch
    std::string defaultValue;

    bool takesValue() const { return !valueName.empty(); }
};

class CommandLine {
public:
    // args[0] is "lumetra-cli <command>", the rest are the command's own arguments.
    CommandLine(Arguments args, std::string description);

    // syntax is how the usage line shows the argument, e.g. "[COUNT]"; the name by default.
    void addPositional(const std::string& name, const std::string& description, const std::string& syntax = {});
    void addOption(const Option& option);
    // An option that may be given several times; values() gives every one in order.
    void addRepeatableOption(const Option& option);

    // Parses the arguments and checks that between minArgs and maxArgs positional arguments were given and that
    // no option with a value but a repeatable one was given twice. nullopt: the command goes on. Otherwise the
    // command ends with the returned exit code: 0 after --help printed the help, kUsageErrorExitCode after
    // usageError.
    std::optional<int> parse(std::size_t minArgs, std::size_t maxArgs);

    bool isSet(const Option& option) const;
    // The last value given, or the default.
    std::string value(const Option& option) const;
    std::vector<std::string> values(const Option& option) const;
    const std::vector<std::string>& arguments() const { return positional_; }

    // Prints "lumetra-cli <command>: message" and the usage line on standard error; returns kUsageErrorExitCode.
    int usageError(const std::string& message) const;
    // "Usage: lumetra-cli <command> [options] ARG...".
    std::string usageLine() const;

private:
    struct Positional {
        std::string name;
        std::string description;
        std::string syntax;
    };

    const Option* find(const std::string& name) const;
    // The first problem of the arguments; empty when there is none.
    std::string readArguments();
    std::string helpText() const;

    Arguments args_;
    std::string description_;
    std::vector<Option> options_;
    std::vector<std::string> repeatable_;
    std::vector<Positional> positionals_;
    std::map<std::string, std::vector<std::string>> given_; // option name -> values ("" for a switch)
    std::vector<std::string> positional_;
    bool help_ = false;
};

} // namespace lumetra::cli
