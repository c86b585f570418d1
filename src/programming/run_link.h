// The link a programming run needs: connected at the run's target baud, with the POD's firmware checked where
// the run has a gate. Shared by the SCI boot download and the data-flash commands.
#pragma once

#include "core/configuration.h"
#include "core/user_prompts.h"
#include "link/pod_link.h"

#include <optional>
#include <string_view>

namespace lumetra::programming {

inline constexpr std::string_view kBaudChangeFailedMessage = "POD의 통신 속도를 변경하는데 실패했읍니다.";
inline constexpr std::string_view kTargetResetFailedMessage = "타겟보드 리셋에 실패했읍니다.";

struct FirmwareGate {
    int requiredVersion = 0;
    std::string_view message; // shown with the information icon when the POD's version is lower
};

// Why the link could not be prepared; the link is closed then.
struct LinkRefusal {
    core::MessageIcon icon = core::MessageIcon::Error;
    std::string_view message;
};

// A closed link, or one to a podKind 1 USB POD, is (re)connected at `targetBaud` on the configured port; an open
// one is kept and set to `targetBaud` with SetTargetBaud after the gate. nullopt when the link is ready.
std::optional<LinkRefusal> prepareRunLink(
    link::CPodLink& link, const core::LinkConfig& config, int targetBaud, std::optional<FirmwareGate> gate);

} // namespace lumetra::programming
