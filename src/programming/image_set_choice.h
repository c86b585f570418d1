// Which image set a run sends: the user's own set in the image folder when there is one, otherwise the build's
// simulation set, which only the simulated target may receive.
#pragma once

#include "programming/target_image.h"

#include <filesystem>
#include <string>
#include <variant>

namespace lumetra::programming {

// The folder of the user's own image set, inside the application directory.
inline constexpr std::string_view kUserImageFolderName = "TargetImages";

struct ImageSetSource {
    std::filesystem::path userFolder; // holds image-set.txt when the user supplied a set
    std::filesystem::path simulationFolder; // the build's simulation set
    bool simulatedPod = false; // the link reaches the simulator, not a POD
};

// The text shown when a set cannot be used.
struct ImageSetRefusal {
    std::string message;
};

std::variant<ImageSet, ImageSetRefusal> chooseImageSet(const ImageSetSource& source);

// "타겟 코드 이미지 세트에 <name> 이미지가 없읍니다."
std::string missingImageMessage(std::string_view name);

// "시뮬레이션용 타겟 코드 이미지는 실제 POD로 보낼 수 없읍니다. ..." with the folder named.
std::string simulationSetRefusal(const std::filesystem::path& userFolder);

} // namespace lumetra::programming
