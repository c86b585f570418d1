// Loads arbitrary bytes as a COFF file for an LF240x, an F2812, an F2834x and a two-bank F2837xS row.
// One image takes every load, as in the application, so each load must fully replace the previous one.
#include "image/program_image.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    static lumetra::image::ProgramImage image;
    for (const int row : {4, 26, 36, 69}) {
        const auto result = image.load(file, row);
        if (!isLoadSuccess(result))
            continue;
        // Read both ends of every span a caller reads, so a span outside its buffer shows.
        unsigned sum = 0;
        const auto touch = [&sum](std::span<const std::uint8_t> bytes) {
            if (!bytes.empty())
                sum += bytes.front() + bytes.back();
        };
        touch(image.dataFlashImage().bytes());
        for (std::size_t i = 0; i < image.sections().size(); ++i)
            touch(image.sectionData(i));
        for (std::size_t i = 0; i < image.symbols().count(); ++i)
            sum += static_cast<unsigned>(image.symbols().at(i).name.size());
        if (sum == 0xFFFFFFFFu)
            return 1;
    }
    return 0;
}
