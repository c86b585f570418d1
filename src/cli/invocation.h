// lumetra-cli [link options] <command> [options]: the command and its arguments, the link options given before
// the command included.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::cli {

struct Invocation {
    QString command; // the first argument after the leading link options; empty when there is none
    // "lumetra-cli <command>", the leading link options, then the arguments after the command.
    QStringList commandArguments;
};

struct InvocationParse {
    std::optional<Invocation> invocation;
    QString error; // without an invocation: why the leading options were refused
};

// args are the program's arguments, args[0] the program itself.
InvocationParse parseInvocation(const QStringList& args);

} // namespace lumetra::cli
