#include "sim/simulated_chip.h"

#include "programming/device_memory.h"
#include "programming/image_manifest.h"
#include "programming/simulation_images.h"

#include "core/device_catalogue.h"
#include "image/flash_layout.h"

#include <algorithm>
#include <cstdio>

namespace lumetra::sim {

namespace {

constexpr std::uint16_t kErased = 0xFFFF;
constexpr std::uint16_t kSecondBankBit = 0x8000;
constexpr int kDualBankSectors = 14;
constexpr std::uint32_t kLf2401aFlashWords = 0x2000;
constexpr std::uint32_t kLf2407aFlashWords = 0x8000;
constexpr image::FlashRange kOtpWindows[] = {{0x380400, 0x3807FF}, {0x3D7800, 0x3D7BFF}};
constexpr int kAlgorithmBaudCode = 4; // 115200

std::string wordText(std::size_t segment, std::size_t word)
{
    return " segment " + std::to_string(segment) + " word " + std::to_string(word);
}

std::string addressText(std::uint32_t address)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(address));
    return text;
}

} // namespace

SimulatedChip::SimulatedChip(const ChipConfig& config, Memory& memory)
    : config_(config)
    , memory_(memory)
    , images_(config_.images ? *config_.images : programming::simulationImageSet())
{
    if (isLf240x()) {
        const std::uint32_t words = config_.deviceCode < 2 ? kLf2401aFlashWords : kLf2407aFlashWords;
        for (std::uint32_t a = 0; a < words; ++a) {
            memory_[a] = oldProgramWord(a);
        }
    } else {
        const int row = config_.deviceCode;
        for (const image::FlashRange& sector : image::flashSectorsOf(row)) {
            for (std::uint32_t a = sector.first; a <= sector.last; ++a) {
                memory_[a] = oldProgramWord(a);
                if (image::isDualBank(row)) {
                    memory_[a + image::kBankWords] = oldProgramWord(a + image::kBankWords);
                }
            }
        }
        for (const image::FlashRange& window : kOtpWindows) {
            for (std::uint32_t a = window.first; a <= window.last; ++a) {
                if (image::tagSection(row, a, 1).mask == image::kOtpSectorMask) {
                    memory_[a] = kErased;
                }
            }
        }
    }
    reset();
}

std::uint16_t SimulatedChip::oldProgramWord(std::uint32_t address)
{
    return static_cast<std::uint16_t>((address * 0x9E37u) ^ 0x0B0Du);
}

bool SimulatedChip::isLf240x() const
{
    return core::familyOf(config_.deviceCode) == core::Family::Lf240x;
}

bool SimulatedChip::inFlash(std::uint32_t address) const
{
    if (isLf240x()) {
        return address < (config_.deviceCode < 2 ? kLf2401aFlashWords : kLf2407aFlashWords);
    }
    const image::FlashTag tag = image::tagSection(config_.deviceCode, address, 1);
    return tag.inFlash || tag.inSecondBank;
}

void SimulatedChip::reset()
{
    const auto& password = config_.password;
    unlocked_
        = !password || std::all_of(password->begin(), password->end(), [](std::uint16_t w) { return w == kErased; });
    algorithm_ = Algorithm::None;
    dataFlashAlgorithm_ = false;
    listening_ = false;
    selectedBank_ = 0;
    lf240xKernelRuns_ = false;
}

bool SimulatedChip::keysMatch(const std::vector<std::uint16_t>& keys) const
{
    if (!config_.password) {
        return true;
    }
    const auto& password = *config_.password;
    const std::size_t count = isLf240x() ? 4 : password.size();
    if (keys.size() < count || std::all_of(password.begin(), password.end(), [](std::uint16_t w) { return w == 0; })) {
        return false;
    }
    return std::equal(password.begin(), password.begin() + static_cast<std::ptrdiff_t>(count), keys.begin());
}

bool SimulatedChip::sameShape(const std::string& name, const std::vector<BootBlock>& blocks) const
{
    const programming::TargetImage* image = images_.find(name);
    if (image == nullptr) {
        return false;
    }
    const std::size_t sent = name.starts_with("flash-algorithm")
        ? std::min(image->segments.size(), programming::flashAlgorithmSegmentsSent(config_.deviceCode))
        : image->segments.size();
    if (blocks.size() != sent) {
        return false;
    }
    for (std::size_t s = 0; s < sent; ++s) {
        if (blocks[s].address != image->segments[s].address
            || blocks[s].words.size() != image->segments[s].words.size()) {
            return false;
        }
    }
    return true;
}

bool SimulatedChip::matchesImage(
    const std::string& name, const std::vector<BootBlock>& blocks, std::vector<std::uint16_t>& keys)
{
    const programming::TargetImage& image = *images_.find(name);
    const auto& slots = image.keys;
    keys.clear();
    for (std::size_t s = 0; s < blocks.size(); ++s) {
        const std::vector<std::uint16_t>& expected = image.segments[s].words;
        for (std::size_t w = 0; w < expected.size(); ++w) {
            const bool keySlot = slots && slots->segment == s
                && std::find(slots->offsets.begin(), slots->offsets.end(), w) != slots->offsets.end();
            if (keySlot) {
                keys.push_back(blocks[s].words[w]);
            } else if (blocks[s].words[w] != expected[w]) {
                refusal_ = name + wordText(s, w) + " differs from the simulation image";
                return false;
            }
        }
    }
    return true;
}

bool SimulatedChip::entryAccepted(std::uint32_t entry)
{
    if (programming::runsCode(config_.deviceCode, entry)) {
        return true;
    }
    refusal_ = "entry point " + addressText(entry) + " is not memory that runs code";
    return false;
}

bool SimulatedChip::writable(std::uint32_t address)
{
    return unlocked_ || !programming::inCsmSecureRam(config_.deviceCode, address);
}

bool SimulatedChip::bootStreamFinished(const std::vector<BootBlock>& blocks, std::uint32_t entry, bool wordsLost)
{
    listening_ = false;
    // An image that the boot ROM does not start as built does not run.
    const auto runs = [&](const std::string& name) {
        if (entry == programming::ramBootEntryOf(config_.deviceCode)) {
            return true;
        }
        refusal_ = name + " does not run: the stream enters at " + addressText(entry);
        return false;
    };
    std::vector<std::uint16_t> keys;
    const auto dataFlashAlgorithm = programming::dataFlashAlgorithmName(config_.deviceCode);
    if (dataFlashAlgorithm && sameShape(*dataFlashAlgorithm, blocks)) {
        dataFlashAlgorithm_ = runs(*dataFlashAlgorithm) && matchesImage(*dataFlashAlgorithm, blocks, keys);
        return true;
    }
    const auto algorithm = programming::flashAlgorithmName(config_.deviceCode);
    if (algorithm && sameShape(*algorithm, blocks)) {
        if (!runs(*algorithm)) {
            algorithm_ = Algorithm::None;
            return true;
        }
        algorithm_ = matchesImage(*algorithm, blocks, keys) ? Algorithm::Running : Algorithm::Faulted;
        if (algorithm_ == Algorithm::Running && keysMatch(keys)) {
            unlocked_ = true;
        }
        return true;
    }
    const auto flow = programming::matchingFlowName(config_.deviceCode);
    if (flow && sameShape(*flow, blocks)) {
        if (runs(*flow) && matchesImage(*flow, blocks, keys) && keysMatch(keys)) {
            unlocked_ = true;
        }
        return true;
    }
    if (wordsLost) {
        refusal_ = "program words for secured RAM were lost: the code security module is locked";
    }
    return !wordsLost;
}

void SimulatedChip::targetBaudSet(int code)
{
    const bool algorithmStarted = algorithm_ == Algorithm::Running || dataFlashAlgorithm_;
    listening_ = algorithmStarted && code == kAlgorithmBaudCode;
}

void SimulatedChip::eraseRange(std::uint32_t first, std::uint32_t count)
{
    std::fill_n(memory_.begin() + first, count, kErased);
}

bool SimulatedChip::erase(std::uint16_t field)
{
    const int row = config_.deviceCode;
    const auto sectors = image::flashSectorsOf(row);
    if (image::isDualBank(row)) {
        const bool secondBank = (field & kSecondBankBit) != 0;
        const int index = field & ~kSecondBankBit;
        if (index >= kDualBankSectors || selectedBank_ != (secondBank ? 2 : 1)) {
            return false;
        }
        const image::FlashRange& sector = sectors[static_cast<std::size_t>(index)];
        eraseRange(sector.first + (secondBank ? image::kBankWords : 0), sector.last - sector.first + 1);
        return true;
    }
    for (std::size_t i = 0; i < sectors.size(); ++i) {
        if ((field & (1u << i)) != 0) {
            eraseRange(sectors[i].first, sectors[i].last - sectors[i].first + 1);
        }
    }
    return true;
}

bool SimulatedChip::program(std::uint32_t address, const std::vector<std::uint16_t>& words)
{
    const bool dualBank = image::isDualBank(config_.deviceCode);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint32_t a = address + static_cast<std::uint32_t>(i);
        if (a >= kMemoryWords || !inFlash(a) || memory_[a] != kErased) {
            return false;
        }
        if (dualBank && (image::tagSection(config_.deviceCode, a, 1).inSecondBank ? 2 : 1) != selectedBank_) {
            return false;
        }
    }
    std::copy(words.begin(), words.end(), memory_.begin() + address);
    return true;
}

std::string SimulatedChip::flashOperation(
    const FlashRequest& request, const std::vector<std::uint16_t>& streamed, char unlockedReply)
{
    if (algorithm_ != Algorithm::Running || !listening_) {
        return {};
    }
    if (request.op == 0x00) {
        return unlocked_ ? std::string(1, unlockedReply) : std::string("?");
    }
    if (!unlocked_) {
        return "?";
    }
    bool done = false;
    if (request.op == 0x01) {
        done = erase(request.sectors);
    } else if (request.op == 0x02) {
        done = streamed.size() == request.count && program(request.address, streamed);
    } else if ((request.op == 0x04 || request.op == 0x05) && image::isDualBank(config_.deviceCode)) {
        selectedBank_ = request.op - 0x03;
        done = true;
    }
    return done ? "!" : "?";
}

bool SimulatedChip::routineReceived(std::size_t index, const std::vector<std::uint16_t>& words)
{
    const auto names = programming::lf240xRoutineNames(config_.deviceCode);
    if (!names || index >= names->size()) {
        return false;
    }
    const std::string& name = (*names)[index];
    std::vector<std::uint16_t> keys;
    // A routine goes without its address: it counts as sent to the image's own.
    const programming::TargetImage* image = images_.find(name);
    const BootBlock block {image != nullptr && !image->segments.empty() ? image->segments[0].address : 0, words};
    if (!sameShape(name, {block})) {
        refusal_ = name + " has " + std::to_string(words.size()) + " words, not those of the simulation image";
        return false;
    }
    if (!matchesImage(name, {block}, keys)) {
        return false;
    }
    if (index == 0) {
        lf240xKeys_ = keys;
        unlocked_ = unlocked_ || keysMatch(keys);
    }
    if (index + 1 == programming::kLf240xRoutineCount) {
        lf240xKernelRuns_ = true;
        if (unlocked_) {
            eraseRange(0, config_.deviceCode < 2 ? kLf2401aFlashWords : kLf2407aFlashWords);
        }
    }
    return true;
}

bool SimulatedChip::takesRoutineWord(std::size_t index, char kind)
{
    // Routines close with `Z`, the flash-program routine (the last) with `Y`; their other words are streamed.
    const char closing = index + 1 == programming::kLf240xRoutineCount ? 'Y' : 'Z';
    if (kind == 'S' || kind == closing) {
        return true;
    }
    refusal_ = "routine " + std::to_string(index) + " took a '" + std::string(1, kind) + "' word";
    return false;
}

bool SimulatedChip::programWord(std::uint32_t address, std::uint16_t word)
{
    if (!lf240xKernelRuns_ || !unlocked_ || !inFlash(address) || memory_[address] != kErased) {
        return false;
    }
    memory_[address] = word;
    return true;
}

} // namespace lumetra::sim
