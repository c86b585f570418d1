#include "cli/invocation.h"

#include "cli/link_options.h"

namespace lumetra::cli {

InvocationParse parseInvocation(const QStringList& args)
{
    const LinkOptions linkOptions;
    QStringList leading;
    qsizetype next = 1;
    for (; next < args.size() && args[next].startsWith(QLatin1String("--")); ++next) {
        const QString& token = args[next];
        const QString name = token.mid(2).section(QLatin1Char('='), 0, 0);
        const QCommandLineOption* option = linkOptions.find(name);
        if (!option)
            break;
        leading << token;
        // As after the command, "--port DEVICE" takes the next argument, whatever it is; "--port=DEVICE" does not.
        if (option->valueName().isEmpty() || token.contains(QLatin1Char('=')))
            continue;
        if (++next == args.size())
            return {std::nullopt, QStringLiteral("missing value after '%1'").arg(token)};
        leading << args[next];
    }
    Invocation invocation;
    if (next < args.size())
        invocation.command = args[next++];
    invocation.commandArguments << QStringLiteral("lumetra-cli %1").arg(invocation.command) << leading
                                << args.mid(next);
    return {invocation, {}};
}

} // namespace lumetra::cli
