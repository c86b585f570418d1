// The SCI boot command of a build without the programming runs: it tells the user that nothing was downloaded.
#pragma once

#include "app/sci_boot_command.h"
#include "app/user_prompts.h"

#include <string_view>

namespace lumetra::app {

inline constexpr std::string_view kSciBootUnavailableMessage
    = "이 버전에서는 SCI 부트 다운로드를 사용할 수 없읍니다. 타겟에 프로그램을 다운로드하지 않았읍니다.";

class UnavailableSciBoot final : public SciBootCommand {
public:
    explicit UnavailableSciBoot(UserPrompts& prompts)
        : prompts_(prompts)
    {
    }
    void run() override;

private:
    UserPrompts& prompts_;
};

} // namespace lumetra::app
