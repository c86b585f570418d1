#include "cli/command_line.h"
#include "cli/text_format.h"

#include <algorithm>
#include <cctype>

namespace lumetra::cli {

namespace {

const std::string kHelpDescription = "Displays help on commandline options.";
constexpr std::size_t kHelpWidth = 79;

std::string unknownOption(const std::string& shown, bool negativeNumber)
{
    return "unknown option '" + shown + "'" + (negativeNumber ? " (a number cannot be negative here)" : "");
}

// The description wrapped at the help width, its lines after the first indented to column.
std::string wrapped(const std::string& text, std::size_t column)
{
    const std::size_t width = kHelpWidth > column + 20 ? kHelpWidth - column : 20;
    std::string result;
    std::size_t lineLength = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            result += '\n' + std::string(column, ' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            result += ' ';
            ++lineLength;
        }
        result += word;
        lineLength += word.size();
        start = end + 1;
    }
    return result;
}

} // namespace

CommandLine::CommandLine(Arguments args, std::string description)
    : args_(std::move(args))
    , description_(std::move(description))
{
}

void CommandLine::addPositional(const std::string& name, const std::string& description, const std::string& syntax)
{
    positionals_.push_back({name, description, syntax.empty() ? name : syntax});
}

void CommandLine::addOption(const Option& option)
{
    options_.push_back(option);
}

void CommandLine::addRepeatableOption(const Option& option)
{
    options_.push_back(option);
    repeatable_.push_back(option.name);
}

const Option* CommandLine::find(const std::string& name) const
{
    const auto found = std::find_if(options_.begin(), options_.end(), [&](const Option& o) { return o.name == name; });
    return found == options_.end() ? nullptr : &*found;
}

std::string CommandLine::readArguments()
{
    std::string unknown;
    std::string problem;
    bool endOfOptions = false;
    for (std::size_t n = 1; n < args_.size(); ++n) {
        const std::string& argument = args_[n];
        if (endOfOptions || argument.size() < 2 || argument[0] != '-') {
            positional_.push_back(argument);
        } else if (argument == "--") {
            endOfOptions = true;
        } else if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const Option* option = find(name);
            if (name == "help") {
                help_ = true;
            } else if (!option) {
                if (unknown.empty())
                    unknown = unknownOption("--" + name, false);
            } else if (!option->takesValue()) {
                if (equals != std::string::npos && problem.empty())
                    problem = "unexpected value after '--" + name + "'";
                given_[name].emplace_back();
            } else if (equals != std::string::npos) {
                given_[name].push_back(argument.substr(equals + 1));
            } else if (n + 1 < args_.size()) {
                given_[name].push_back(args_[++n]);
            } else if (problem.empty()) {
                problem = "missing value after '" + argument + "'";
            }
        } else {
            // One dash: single-letter options, of which there is only "-h".
            const auto letter = std::find_if(argument.begin() + 1, argument.end(), [](char c) { return c != 'h'; });
            if (letter == argument.end())
                help_ = true;
            else if (unknown.empty())
                unknown = unknownOption(argument, std::isdigit(static_cast<unsigned char>(*letter)) != 0);
        }
    }
    return unknown.empty() ? problem : unknown;
}

std::optional<int> CommandLine::parse(std::size_t minArgs, std::size_t maxArgs)
{
    if (const std::string problem = readArguments(); !problem.empty())
        return usageError(problem);
    if (help_) {
        printLine(helpText());
        return 0;
    }
    for (const auto& [name, values] : given_) {
        const bool repeatable = std::find(repeatable_.begin(), repeatable_.end(), name) != repeatable_.end();
        if (!repeatable && find(name)->takesValue() && values.size() > 1)
            return usageError("--" + name + " is given more than once");
    }
    if (positional_.size() < minArgs && !positionals_.empty()) {
        const std::size_t missing = std::min(positional_.size(), positionals_.size() - 1);
        return usageError("missing " + positionals_[missing].name);
    }
    if (positional_.size() > maxArgs)
        return usageError("unexpected argument '" + positional_[maxArgs] + "'");
    return std::nullopt;
}

bool CommandLine::isSet(const Option& option) const
{
    return given_.count(option.name) > 0;
}

std::string CommandLine::value(const Option& option) const
{
    const auto found = given_.find(option.name);
    return found == given_.end() ? option.defaultValue : found->second.back();
}

std::vector<std::string> CommandLine::values(const Option& option) const
{
    const auto found = given_.find(option.name);
    return found == given_.end() ? std::vector<std::string> {} : found->second;
}

int CommandLine::usageError(const std::string& message) const
{
    printError(args_.front() + ": " + printableText(message));
    printError(usageLine());
    return kUsageErrorExitCode;
}

std::string CommandLine::usageLine() const
{
    std::string line = "Usage: " + args_.front() + " [options]";
    for (const Positional& positional : positionals_)
        line += ' ' + positional.syntax;
    return line;
}

std::string CommandLine::helpText() const
{
    std::vector<std::pair<std::string, std::string>> optionRows {{"-h, --help", kHelpDescription}};
    for (const Option& option : options_)
        optionRows.emplace_back(
            "--" + option.name + (option.takesValue() ? " <" + option.valueName + ">" : ""), option.description);
    std::size_t column = 0;
    for (const auto& row : optionRows)
        column = std::max(column, row.first.size());
    for (const Positional& positional : positionals_)
        column = std::max(column, positional.name.size());
    column += 4;

    std::string text = usageLine() + '\n' + description_ + "\n\nOptions:\n";
    const auto addRow = [&](const std::string& left, const std::string& description) {
        text += "  " + left + std::string(column - 2 - left.size(), ' ') + wrapped(description, column) + '\n';
    };
    for (const auto& [left, description] : optionRows)
        addRow(left, description);
    if (!positionals_.empty()) {
        text += "\nArguments:\n";
        for (const Positional& positional : positionals_)
            addRow(positional.name, positional.description);
    }
    text.pop_back();
    return text;
}

} // namespace lumetra::cli
