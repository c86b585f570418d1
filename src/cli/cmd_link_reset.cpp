// lumetra-cli reset: resets the target board through the POD.
#include "cli/command.h"
#include "cli/link_options.h"

namespace lumetra::cli {

namespace {

int runReset(const QStringList& args)
{
    return runLinkCommand(args, QStringLiteral("Resets the target board through the POD."), [](link::CPodLink& pod) {
        if (!pod.ResetTarget()) {
            printError(QStringLiteral("타겟보드 리셋에 실패했읍니다."));
            return 1;
        }
        printLine(QStringLiteral("target reset"));
        return 0;
    });
}

const CommandRegistration reg{QStringLiteral("reset"), QStringLiteral("Reset the target board"), runReset};

} // namespace

} // namespace lumetra::cli
