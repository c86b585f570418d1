#include "cli/invocation.h"

#include "cli/link_options.h"

namespace lumetra::cli {

InvocationParse parseInvocation(const Arguments& args)
{
    const LinkOptions linkOptions;
    Arguments leading;
    std::size_t next = 1;
    for (; next < args.size() && args[next].rfind("--", 0) == 0; ++next) {
        const std::string& token = args[next];
        const std::size_t equals = token.find('=');
        const Option* option = linkOptions.find(token.substr(2, equals == std::string::npos ? equals : equals - 2));
        if (!option)
            break;
        leading.push_back(token);
        // As after the command, "--port DEVICE" takes the next argument, whatever it is; "--port=DEVICE" does not.
        if (!option->takesValue() || equals != std::string::npos)
            continue;
        if (++next == args.size())
            return {std::nullopt, "missing value after '" + token + "'"};
        leading.push_back(args[next]);
    }
    Invocation invocation;
    if (next < args.size())
        invocation.command = args[next++];
    invocation.commandArguments.push_back("lumetra-cli " + invocation.command);
    invocation.commandArguments.insert(invocation.commandArguments.end(), leading.begin(), leading.end());
    invocation.commandArguments.insert(
        invocation.commandArguments.end(), args.begin() + static_cast<std::ptrdiff_t>(next), args.end());
    return {invocation, {}};
}

} // namespace lumetra::cli
