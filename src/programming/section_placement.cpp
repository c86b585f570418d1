#include "programming/section_placement.h"

#include "programming/device_memory.h"

#include "core/device_catalogue.h"

namespace lumetra::programming {

std::optional<std::string> sectionOutsideMemoryMessage(const ProgramData& program, int deviceCode)
{
    const core::Family family = core::familyOf(deviceCode);
    for (const ProgramSection& section : program.sections) {
        const auto words = static_cast<std::uint32_t>(section.words.size());
        if (words == 0 || insideDeviceMemory(deviceCode, section.address, words))
            continue;
        return "'" + section.name + "' 섹션(" + core::formatAddress(family, section.address) + "~"
            + core::formatAddress(family, section.address + words - 1) + ")은 선택한 DSP("
            + std::string(core::listNameOf(deviceCode)) + ")의 메모리 영역 밖에 있읍니다.";
    }
    return std::nullopt;
}

} // namespace lumetra::programming
