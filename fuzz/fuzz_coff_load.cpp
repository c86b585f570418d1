// Loads arbitrary bytes as a COFF file for an LF240x, an F2812, an F2834x and a two-bank F2837xS row.
#include "image/program_image.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    for (const int row : {4, 26, 36, 69}) {
        lumetra::image::ProgramImage image;
        const auto result = image.load(file, row);
        if (isLoadSuccess(result)) {
            // Touch everything a caller reads.
            std::size_t sum = image.dataFlashImage().length() + image.symbols().count();
            for (std::size_t i = 0; i < image.sections().size(); ++i)
                sum += image.sectionData(i).size();
            if (sum == static_cast<std::size_t>(-1))
                return 1;
        }
    }
    return 0;
}
