#include "cli/command_line.h"

#include "cli/command.h"

#include <algorithm>

namespace lumetra::cli {

namespace {

// "Missing value after '--port'." reads "missing value after '--port'" in the error line.
QString asErrorLine(QString text)
{
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

// Whether the argument gave the unknown option name: "--name", "--name=value", or "-abc" for a one-letter name.
bool givesOption(const QString& argument, const QString& name)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2).section(QLatin1Char('='), 0, 0) == name;
    return argument.size() > 1 && argument.startsWith(QLatin1Char('-')) && name.size() == 1
        && argument.mid(1).contains(name);
}

} // namespace

CommandLine::CommandLine(const QStringList& args, const QString& description)
    : args_(args)
    , help_(parser_.addHelpOption())
{
    parser_.setApplicationDescription(description);
}

void CommandLine::addPositional(const QString& name, const QString& description, const QString& syntax)
{
    const QString shown = syntax.isEmpty() ? name : syntax;
    parser_.addPositionalArgument(name, description, shown);
    positionalNames_ << name;
    positionalSyntax_ << shown;
}

void CommandLine::addOption(const QCommandLineOption& option)
{
    parser_.addOption(option);
}

void CommandLine::addRepeatableOption(const QCommandLineOption& option)
{
    parser_.addOption(option);
    repeatable_ << option.names();
}

std::optional<int> CommandLine::parse(qsizetype minArgs, qsizetype maxArgs)
{
    if (!parser_.parse(args_))
        return usageError(parseErrorMessage());
    if (parser_.isSet(help_) || parser_.isSet(QStringLiteral("help-all"))) {
        QString help = parser_.helpText();
        help = usageLine() + help.mid(help.indexOf(QLatin1Char('\n')));
        if (help.endsWith(QLatin1Char('\n')))
            help.chop(1);
        printLine(help);
        return 0;
    }
    if (const auto repeated = repeatedOption())
        return usageError(*repeated);
    const QStringList positional = parser_.positionalArguments();
    if (positional.size() < minArgs && !positionalNames_.isEmpty()) {
        const qsizetype missing = std::min(positional.size(), positionalNames_.size() - 1);
        return usageError(QStringLiteral("missing %1").arg(positionalNames_[missing]));
    }
    if (positional.size() > maxArgs)
        return usageError(QStringLiteral("unexpected argument '%1'").arg(positional[maxArgs]));
    return std::nullopt;
}

QString CommandLine::parseErrorMessage() const
{
    const QStringList unknown = parser_.unknownOptionNames();
    if (unknown.isEmpty())
        return asErrorLine(parser_.errorText());
    const QString& name = unknown.constFirst();
    const qsizetype endOfOptions = args_.indexOf(QLatin1String("--"));
    const QStringList given = args_.mid(1, endOfOptions < 0 ? -1 : endOfOptions - 1);
    const auto token = std::find_if(
        given.begin(), given.end(), [&](const QString& argument) { return givesOption(argument, name); });
    const QString shown = token != given.end() ? token->section(QLatin1Char('='), 0, 0) : name;
    const bool negativeNumber = name.front().isDigit();
    return QStringLiteral("unknown option '%1'%2")
        .arg(shown, negativeNumber ? QStringLiteral(" (a number cannot be negative here)") : QString());
}

std::optional<QString> CommandLine::repeatedOption() const
{
    for (const QString& name : parser_.optionNames()) {
        if (!repeatable_.contains(name) && parser_.values(name).size() > 1)
            return QStringLiteral("--%1 is given more than once").arg(name);
    }
    return std::nullopt;
}

int CommandLine::usageError(const QString& message) const
{
    printError(QStringLiteral("%1: %2").arg(args_.constFirst(), message));
    printError(usageLine());
    return kUsageErrorExitCode;
}

QString CommandLine::usageLine() const
{
    QString line = QStringLiteral("Usage: %1 [options]").arg(args_.constFirst());
    for (const QString& syntax : positionalSyntax_)
        line += QLatin1Char(' ') + syntax;
    return line;
}

} // namespace lumetra::cli
