#include "tools/command_line.h"

#include <algorithm>

namespace lumetra::tools {

std::optional<std::string_view> executablePathCandidate(std::string_view commandLine, PathStyle style)
{
    const std::size_t separator = commandLine.find_last_of(folderSeparators(style));
    if (separator == std::string_view::npos)
        return std::nullopt;
    const std::size_t space = commandLine.find(' ', separator);
    return commandLine.substr(0, space);
}

CommandPathCheck checkExecutablePath(std::string_view commandLine, const PathProbe& probe)
{
    const std::optional<std::string_view> candidate = executablePathCandidate(commandLine, probe.style());
    if (!candidate)
        return {std::nullopt,
            {CommandPathFault::NoFolder, std::string(commandLine.substr(0, commandLine.find(' '))), {}, 0}};
    if (probe.kindOf(*candidate) != PathKind::Missing)
        return {std::string(*candidate), {}};
    // A program file before a space that comes ahead of the last separator: that separator sits in an argument.
    const std::size_t separator = candidate->find_last_of(folderSeparators(probe.style()));
    for (std::size_t space = candidate->find(' '); space < separator; space = candidate->find(' ', space + 1)) {
        if (probe.kindOf(candidate->substr(0, space)) == PathKind::File) {
            const std::size_t argument = candidate->rfind(' ', separator) + 1;
            return {std::nullopt,
                {CommandPathFault::SeparatorInArgument, std::string(candidate->substr(argument)),
                    std::string(*candidate), (*candidate)[separator]}};
        }
    }
    return {std::nullopt, {CommandPathFault::Missing, std::string(*candidate), std::string(*candidate), 0}};
}

std::optional<std::string> executablePath(std::string_view commandLine, const PathProbe& probe)
{
    return checkExecutablePath(commandLine, probe).path;
}

std::string_view argumentText(std::string_view commandLine, std::string_view executable)
{
    std::string_view rest = commandLine.substr(std::min(executable.size(), commandLine.size()));
    const std::size_t start = rest.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view {} : rest.substr(start);
}

std::vector<std::string> splitArguments(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (const char c : text) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            else
                word += c;
        } else if (c == '"' || c == '\'') {
            quote = c;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::string nameFromProgram(std::string_view program, PathStyle style)
{
    const std::size_t separator = program.find_last_of(folderSeparators(style));
    std::string_view name = separator == std::string_view::npos ? program : program.substr(separator + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return std::string(name);
}

} // namespace lumetra::tools
