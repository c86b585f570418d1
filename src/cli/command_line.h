// The command line of one sub-command: its options and positional arguments, its help, and its usage errors.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::cli {

// Exit code of a bad invocation: an unknown option, a missing or stray argument, a bad or out-of-range value.
inline constexpr int kUsageErrorExitCode = 2;

class CommandLine {
public:
    // args[0] is "lumetra-cli <command>", the rest are the command's own arguments.
    CommandLine(const QStringList& args, const QString& description);

    // syntax is how the usage line shows the argument, e.g. "[COUNT]"; the name by default.
    void addPositional(const QString& name, const QString& description, const QString& syntax = {});
    void addOption(const QCommandLineOption& option);
    // An option that may be given several times; its values() are every one in order.
    void addRepeatableOption(const QCommandLineOption& option);

    // Parses the arguments and checks that between minArgs and maxArgs positional arguments were given and that
    // no option with a value but a repeatable one was given twice. nullopt: the command goes on. Otherwise the command ends with the
    // returned exit code: 0 after --help printed the help, kUsageErrorExitCode after usageError.
    std::optional<int> parse(qsizetype minArgs, qsizetype maxArgs);

    const QCommandLineParser& parser() const { return parser_; }
    QStringList arguments() const { return parser_.positionalArguments(); }

    // Prints "lumetra-cli <command>: message" and the usage line on standard error; returns kUsageErrorExitCode.
    int usageError(const QString& message) const;
    // "Usage: lumetra-cli <command> [options] ARG...".
    QString usageLine() const;

private:
    QString parseErrorMessage() const;
    std::optional<QString> repeatedOption() const;

    QStringList args_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QStringList positionalNames_;
    QStringList positionalSyntax_;
    QStringList repeatable_;
};

} // namespace lumetra::cli
