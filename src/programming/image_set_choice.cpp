#include "programming/image_set_choice.h"

#include "programming/image_set_file.h"
#include "programming/simulation_images.h"

#include <system_error>

namespace lumetra::programming {

namespace {

ImageSetRefusal refusal(const std::string& cause)
{
    return {"타겟 코드 이미지 세트를 사용할 수 없읍니다.\n" + cause};
}

} // namespace

std::string missingImageMessage(std::string_view name)
{
    return "타겟 코드 이미지 세트에 " + std::string(name) + " 이미지가 없읍니다.";
}

std::string simulationSetRefusal(const std::filesystem::path& userFolder)
{
    return "시뮬레이션용 타겟 코드 이미지는 실제 POD로 보낼 수 없읍니다. 타겟에 아무것도 보내지 않았읍니다.\n"
           "사용할 타겟 코드 이미지 세트("
        + std::string(kImageSetFileName) + ")를 다음 폴더에 넣으십시요: " + userFolder.string();
}

std::variant<ImageSet, ImageSetRefusal> chooseImageSet(const ImageSetSource& source)
{
    std::error_code error;
    const bool userSet = std::filesystem::exists(source.userFolder / kImageSetFileName, error);
    const std::filesystem::path& folder = userSet ? source.userFolder : source.simulationFolder;
    if (!userSet && !source.simulatedPod)
        return ImageSetRefusal {simulationSetRefusal(source.userFolder)};
    ImageSetLoad load = loadImageSet(folder);
    if (auto* failed = std::get_if<ImageSetError>(&load))
        return refusal(failed->text);
    ImageSet& set = std::get<ImageSet>(load);
    if ((set.kind == ImageSetKind::Simulation || carriesSimulationSignature(set)) && !source.simulatedPod)
        return ImageSetRefusal {simulationSetRefusal(source.userFolder)};
    return std::move(set);
}

} // namespace lumetra::programming
