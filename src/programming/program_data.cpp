#include "programming/program_data.h"

namespace lumetra::programming {

ProgramData programDataOf(const image::ProgramImage& image)
{
    ProgramData data;
    data.summary = image.flashSummary();
    data.targetId = image.targetId();
    data.totalBytes = image.totalBytes();
    const auto& sections = image.sections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const image::LoadedSection& loaded = sections[i];
        ProgramSection section {loaded.startAddress, {}, loaded.inFlash, loaded.inSecondBank, loaded.name};
        const std::span<const std::uint8_t> bytes = image.sectionData(i);
        if (bytes.size() < loaded.sizeBytes()) {
            data.sections.push_back(std::move(section));
            continue;
        }
        section.words.reserve(loaded.sizeWords);
        for (std::size_t b = 0; b + 1 < loaded.sizeBytes(); b += 2)
            section.words.push_back(static_cast<std::uint16_t>(bytes[b] | bytes[b + 1] << 8));
        data.sections.push_back(std::move(section));
    }
    return data;
}

} // namespace lumetra::programming
