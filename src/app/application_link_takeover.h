// What a programming command takes over from the application: graph acquisition in every graph window and the
// running monitoring, resumed afterwards.
#pragma once

#include "programming/download_command.h"

namespace lumetra::app {

class Application;

class ApplicationLinkTakeover final : public programming::LinkTakeover {
public:
    explicit ApplicationLinkTakeover(Application& app)
        : app_(app)
    {
    }
    void stopGraphAcquisition() override;
    std::optional<int> suspendMonitoring() override;
    // Starts the kind again; with nothing to poll the run's link closes.
    void resumeMonitoring(std::optional<int> kind) override;

private:
    Application& app_;
};

} // namespace lumetra::app
