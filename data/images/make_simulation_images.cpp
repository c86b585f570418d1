// make_simulation_images FOLDER: writes the simulation image set (FOLDER/image-set.txt), which the simulated
// target accepts and a real POD is never sent.
#include "programming/image_set_file.h"
#include "programming/simulation_images.h"

#include "core/atomic_file_write.h"

#include <cstdio>
#include <filesystem>
#include <span>
#include <system_error>

using namespace lumetra;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_simulation_images FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string text = programming::formatImageSet(programming::simulationImageSet());
    const std::filesystem::path file = folder / programming::kImageSetFileName;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (error || !core::writeFileAtomically(file, bytes).ok()) {
        std::fprintf(stderr, "make_simulation_images: cannot write %s\n", file.string().c_str());
        return 1;
    }
    return 0;
}
