#include "app/application_link_takeover.h"

#include "app/application.h"

namespace lumetra::app {

void ApplicationLinkTakeover::stopGraphAcquisition()
{
    app_.graphs().stopAllAcquisition();
}

std::optional<int> ApplicationLinkTakeover::suspendMonitoring()
{
    const std::optional<MonitorKind> kind = app_.linkState().SuspendMonitoring();
    return kind ? std::optional<int>(static_cast<int>(*kind)) : std::nullopt;
}

void ApplicationLinkTakeover::resumeMonitoring(std::optional<int> kind)
{
    LinkState& state = app_.linkState();
    state.ResumeMonitoring(kind ? std::optional(static_cast<MonitorKind>(*kind)) : std::nullopt);
    state.CloseUnusedLink();
}

} // namespace lumetra::app
