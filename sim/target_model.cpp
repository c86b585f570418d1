#include "sim/target_model.h"

#include "sim/animations.h"

#include "link/pod_frames.h"

#include <algorithm>

namespace lumetra::sim {

namespace {

constexpr std::string_view kAck = "!";
constexpr std::string_view kNak = "?";
constexpr int kMaxBaudCode = 8;

bool upperHex(std::string_view text)
{
    return std::all_of(
        text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

// Frame fields are upper-case hex of a fixed width; anything else is malformed.
std::optional<std::uint32_t> hexAt(std::string_view text, std::size_t position, std::size_t digits)
{
    if (position + digits > text.size() || !upperHex(text.substr(position, digits))) {
        return std::nullopt;
    }
    return link::parseHex(text.substr(position, digits));
}

// A field of exactly `digits` hex digits after the command letter, with a CR behind it when `withCr`.
std::optional<std::uint32_t> soleField(std::string_view rest, std::size_t digits, bool withCr)
{
    if (rest.size() != digits + (withCr ? 1 : 0) || (withCr && rest.back() != link::kCr)) {
        return std::nullopt;
    }
    return hexAt(rest, 0, digits);
}

bool fitsMemory(std::uint32_t address, std::uint32_t words)
{
    return address < kMemoryWords && words <= kMemoryWords - address;
}

// A checksummed body: fields, two checksum digits, CR. Returns the fields when the sum matches.
std::optional<std::string_view> checkedFields(std::string_view body)
{
    if (body.size() < 3 || body.back() != link::kCr) {
        return std::nullopt;
    }
    const std::string_view fields = body.substr(0, body.size() - 3);
    if (link::asciiChecksum(fields) != body.substr(body.size() - 3, 2)) {
        return std::nullopt;
    }
    return fields;
}

// Without a chip, routines are only kept and user words go straight to memory.
class MemoryKernel : public Lf240xKernel {
public:
    explicit MemoryKernel(Memory& memory) : memory_(memory) {}
    bool routineReceived(std::size_t, const std::vector<std::uint16_t>&) override { return true; }
    bool programWord(std::uint32_t address, std::uint16_t word) override
    {
        memory_[address % memory_.size()] = word;
        return true;
    }

private:
    Memory& memory_;
};

} // namespace

TargetModel::TargetModel(const SimConfig& config) : config_(config), memory_(kMemoryWords, 0)
{
    applyChipConfig();
}

void TargetModel::applyChipConfig()
{
    if (config_.chip == chipConfig_) {
        return;
    }
    chipConfig_ = config_.chip;
    chip_.reset();
    if (config_.chip) {
        chip_.emplace(*config_.chip, memory_);
    }
}

void TargetModel::animateAt(double seconds)
{
    for (const Animation& animation : animations_) {
        applyAnimation(animation, seconds, memory_);
    }
}

std::string TargetModel::handle(std::string_view body, double seconds)
{
    if (body.empty()) {
        return {};
    }
    const std::string_view rest = body.substr(1);
    switch (body[0]) {
    case 'I':
        if (auto index = soleField(rest, 1, false)) {
            txDelayIndex_ = static_cast<int>(*index);
            return {};
        }
        return std::string(kNak);
    case 'Q':
        if (!rest.empty()) {
            return std::string(kNak);
        }
        return "UP" + std::to_string(config_.firmwareVersion / 10 % 10) + std::to_string(config_.firmwareVersion % 10);
    case 'K':
        if (auto code = soleField(rest, 1, false); code && *code <= kMaxBaudCode) {
            targetBaudCode_ = static_cast<int>(*code);
            if (chip_) {
                chip_->targetBaudSet(targetBaudCode_);
            }
            return std::string(kAck);
        }
        return std::string(kNak);
    case '!':
        return std::string(rest.empty() ? kAck : kNak);
    case '@':
        if (auto address = soleField(rest, 6, true); address && fitsMemory(*address, 1)) {
            podAddress_ = *address;
            return std::string(kAck);
        }
        return std::string(kNak);
    case 'R':
    case 'r':
    case 'L':
    case 'l':
        return rest.empty() ? read(body[0], seconds) : std::string(kNak);
    case 'W':
        return write(body);
    case 'M':
    case 'N':
    case 'T':
    case 'P':
        return rest.empty() ? controlLine(body[0]) : std::string(kNak);
    case 'U':
    case 'V':
    case 'X':
    case 'S':
    case 'Y':
    case 'Z':
        return bootWord(body[0], rest);
    case 'J':
        if (auto word = soleField(rest, 4, true)) {
            streamedWords_.push_back(static_cast<std::uint16_t>(*word));
            return {};
        }
        return std::string(kNak);
    case 'O':
        return flashOperation(rest);
    case ':':
        return dataFlashRecord(rest);
    default:
        return {};
    }
}

std::string TargetModel::controlLine(char command)
{
    switch (command) {
    case 'M':
        bootModeLine_ = true;
        bootState_ = BootState::WaitingAutoBaud;
        if (chip_) {
            chip_->reset();
        }
        return std::string(kAck);
    case 'N':
        if (chip_) {
            chip_->reset();
        }
        bootModeLine_ = false;
        bootState_ = BootState::Running;
        ++resetCount_;
        return std::string(kAck);
    case 'T':
        return autoBaud(BootState::Lf240xStream);
    default:
        return autoBaud(BootState::F28xStream);
    }
}

std::string TargetModel::read(char mode, double seconds)
{
    if (config_.liveAnimation) {
        animateAt(seconds);
    }
    const bool wide = mode == 'L' || mode == 'l';
    const std::uint32_t low = memory_[podAddress_ % kMemoryWords];
    const std::uint32_t value = wide ? low | static_cast<std::uint32_t>(memory_[(podAddress_ + 1) % kMemoryWords]) << 16 : low;
    if (mode == 'r' || mode == 'l') {
        podAddress_ = (podAddress_ + (wide ? 2 : 1)) % kMemoryWords;
    }
    return *link::hexField(value, wide ? 8 : 4) + link::kCr;
}

std::string TargetModel::write(std::string_view body)
{
    const auto fields = checkedFields(body);
    if (!fields || fields->size() < 2) {
        return std::string(kNak);
    }
    const bool wide = (*fields)[1] == '2';
    const std::size_t valueDigits = wide ? 8 : 4;
    if (((*fields)[1] != '1' && !wide) || fields->size() != 2 + 6 + valueDigits) {
        return std::string(kNak);
    }
    const auto address = hexAt(*fields, 2, 6);
    const auto value = hexAt(*fields, 8, valueDigits);
    if (!address || !value || !fitsMemory(*address, wide ? 2 : 1)) {
        return std::string(kNak);
    }
    memory_[*address] = static_cast<std::uint16_t>(*value & 0xFFFF);
    if (wide) {
        memory_[*address + 1] = static_cast<std::uint16_t>(*value >> 16);
    }
    return std::string(kAck);
}

std::string TargetModel::autoBaud(BootState stream)
{
    if (!bootModeLine_) {
        return {};
    }
    bootState_ = stream;
    f28x_ = {};
    lf240x_ = {};
    bootWordCount_ = 0;
    return std::string(kAck);
}

std::string TargetModel::bootWord(char kind, std::string_view digits)
{
    const auto word = soleField(digits, 4, true);
    if (!word) {
        return std::string(kNak);
    }
    const bool acknowledged = kind != 'S';
    if (bootState_ != BootState::F28xStream && bootState_ != BootState::Lf240xStream) {
        return {};
    }
    ++bootWordCount_;
    const auto value = static_cast<std::uint16_t>(*word);
    MemoryKernel memoryKernel(memory_);
    Lf240xKernel& kernel = chip_ ? static_cast<Lf240xKernel&>(*chip_) : memoryKernel;
    F28xBootRom* rom = chip_ ? &*chip_ : nullptr;
    StreamStep step = bootState_ == BootState::F28xStream ? f28x_.feed(kind, value, memory_, rom)
                                                          : lf240x_.feed(kind, value, kernel);
    if (step == StreamStep::Finished && bootState_ == BootState::F28xStream) {
        entryPoint_ = f28x_.entryPoint();
        if (chip_ && !chip_->bootStreamFinished(f28x_.blocks(), *entryPoint_, f28x_.wordsLost())) {
            step = StreamStep::Rejected;
        }
    }
    if (!acknowledged) {
        return {};
    }
    return std::string(step == StreamStep::Rejected ? kNak : kAck);
}

std::string TargetModel::flashOperation(std::string_view fields)
{
    const auto op = hexAt(fields, 0, 2);
    if (!op) {
        return std::string(kNak);
    }
    FlashRequest request;
    request.op = static_cast<std::uint8_t>(*op);
    const std::string_view rest = fields.substr(2);
    const std::size_t expected = request.op == 0x01 ? 4 : request.op == 0x02 ? 10 : request.op == 0x03 ? 14 : 0;
    if (request.op > 0x05 || rest.size() != expected || !upperHex(rest)) {
        return std::string(kNak);
    }
    if (request.op == 0x01) {
        request.sectors = static_cast<std::uint16_t>(hexAt(rest, 0, 4).value_or(0));
    } else if (request.op == 0x02 || request.op == 0x03) {
        request.address = hexAt(rest, 0, 6).value_or(0);
        request.count = static_cast<std::uint16_t>(hexAt(rest, 6, 4).value_or(0));
        if (request.op == 0x03) {
            request.extra = static_cast<std::uint16_t>(hexAt(rest, 10, 4).value_or(0));
        }
    }
    flashRequests_.push_back(request);
    if (chip_) {
        std::string reply = chip_->flashOperation(request, streamedWords_, config_.unlockedCheckReply);
        if (request.op == 0x02) {
            streamedWords_.clear();
        }
        return reply;
    }
    switch (request.op) {
    case 0x00:
        return config_.csmLocked ? std::string(kNak) : std::string(1, config_.unlockedCheckReply);
    case 0x01:
        if (config_.sectorRanges) {
            for (const AddressRange& range : config_.sectorRanges(request.sectors)) {
                for (std::uint32_t i = 0; i < range.count; ++i) {
                    memory_[(range.first + i) % kMemoryWords] = 0xFFFF;
                }
            }
        }
        return std::string(kAck);
    case 0x02: {
        const bool complete = streamedWords_.size() == request.count && fitsMemory(request.address, request.count);
        if (complete) {
            for (std::size_t i = 0; i < streamedWords_.size(); ++i) {
                memory_[request.address + i] = streamedWords_[i];
            }
        }
        streamedWords_.clear();
        return std::string(complete ? kAck : kNak);
    }
    case 0x04:
    case 0x05:
        selectedBank_ = request.op - 0x03;
        return std::string(kAck);
    default:
        return std::string(kAck);
    }
}

// The page index and last-byte index of a page record's fields.
struct PageFields {
    std::uint32_t page;
    std::uint8_t lastByteIndex;
};

std::optional<PageFields> pageFieldsOf(std::string_view fields)
{
    const auto page = hexAt(fields, 2, 4);
    const auto last = hexAt(fields, 6, 2);
    if (!page || !last) {
        return std::nullopt;
    }
    return PageFields {*page, static_cast<std::uint8_t>(*last)};
}

std::string TargetModel::dataFlashRecord(std::string_view body)
{
    if (chip_ && !chip_->dataFlashAlgorithmRunning()) {
        return {};
    }
    const auto fields = checkedFields(body);
    const auto type = fields && upperHex(*fields) ? hexAt(*fields, 0, 2) : std::nullopt;
    if (!type) {
        return std::string(kNak);
    }
    bool done = false;
    if (*type == 0x71 && fields->size() == 4) {
        done = dataFlash_.initialise(static_cast<int>(hexAt(*fields, 2, 2).value_or(0xFF)));
    } else if (*type == 0x72 && fields->size() == 6) {
        done = dataFlash_.eraseSector(hexAt(*fields, 2, 4).value_or(0xFFFF));
    } else if ((*type == 0x73 || *type == 0x74) && fields->size() == 8 + 2 * SpiDataFlash::kPageBytes) {
        const auto page = pageFieldsOf(*fields);
        std::vector<std::uint8_t> data;
        for (std::size_t i = 0; i < SpiDataFlash::kPageBytes; ++i) {
            const auto byte = hexAt(*fields, 8 + 2 * i, 2);
            if (!byte) {
                return std::string(kNak);
            }
            data.push_back(static_cast<std::uint8_t>(*byte));
        }
        if (page) {
            done = *type == 0x73 ? dataFlash_.programPage(page->page, page->lastByteIndex, data)
                                 : dataFlash_.verifyPage(page->page, page->lastByteIndex, data);
        }
    }
    return std::string(done ? kAck : kNak);
}

void TargetModel::corruptProgrammedPage(std::string_view body)
{
    // ":" + fields + checksum + CR
    if (body.size() < 4) {
        return;
    }
    if (const auto page = pageFieldsOf(body.substr(1, body.size() - 4))) {
        dataFlash_.corruptPage(page->page, page->lastByteIndex);
    }
}

} // namespace lumetra::sim
