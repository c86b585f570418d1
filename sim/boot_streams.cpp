#include "sim/boot_streams.h"

#include <utility>

namespace lumetra::sim {

namespace {

void store(Memory& memory, std::uint32_t address, std::uint16_t word)
{
    memory[address % memory.size()] = word;
}

} // namespace

char F28xBootStream::expectedKind(std::uint16_t word) const
{
    switch (state_) {
    case State::BlockCount:
        return word == 0 ? 'X' : 'U';
    case State::Data: {
        const std::size_t received = blocks_.back().words.size() + 1;
        return remaining_ == 1 || received % kPacing == 0 ? 'Y' : 'S';
    }
    default:
        return 'U';
    }
}

StreamStep F28xBootStream::feed(char kind, std::uint16_t word, Memory& memory, F28xBootRom* rom)
{
    if (rom != nullptr && state_ != State::Done && state_ != State::Failed && kind != expectedKind(word)) {
        state_ = State::Failed;
        return StreamStep::Rejected;
    }
    switch (state_) {
    case State::Key:
        state_ = word == kKey ? State::Reserved : State::Failed;
        break;
    case State::Reserved:
        if (rom != nullptr && word != kReserved) {
            state_ = State::Failed;
        } else if (++reserved_ == kReservedWords) {
            state_ = State::EntryHigh;
        }
        break;
    case State::EntryHigh:
        entry_ = static_cast<std::uint32_t>(word) << 16;
        state_ = State::EntryLow;
        break;
    case State::EntryLow:
        entry_ |= word;
        state_ = rom == nullptr || rom->entryAccepted(entry_) ? State::BlockCount : State::Failed;
        break;
    case State::BlockCount:
        remaining_ = word;
        if (word != 0) {
            blocks_.emplace_back();
        }
        state_ = word == 0 ? State::Done : State::AddressHigh;
        return word == 0 ? StreamStep::Finished : StreamStep::Accepted;
    case State::AddressHigh:
        address_ = static_cast<std::uint32_t>(word) << 16;
        state_ = State::AddressLow;
        break;
    case State::AddressLow:
        address_ |= word;
        blocks_.back().address = address_;
        state_ = State::Data;
        break;
    case State::Data:
        blocks_.back().words.push_back(word);
        if (rom == nullptr || rom->writable(static_cast<std::uint32_t>(address_ % memory.size()))) {
            store(memory, address_, word);
        } else {
            wordsLost_ = true;
        }
        ++address_;
        if (--remaining_ == 0) {
            state_ = State::BlockCount;
        }
        break;
    case State::Done:
    case State::Failed:
        state_ = State::Failed;
        break;
    }
    return state_ == State::Failed ? StreamStep::Rejected : StreamStep::Accepted;
}

std::optional<std::uint32_t> F28xBootStream::entryPoint() const
{
    return state_ == State::Done ? std::optional(entry_) : std::nullopt;
}

StreamStep Lf240xBootStream::fail()
{
    state_ = State::Failed;
    return StreamStep::Rejected;
}

StreamStep Lf240xBootStream::feed(char kind, std::uint16_t word, Lf240xKernel& kernel)
{
    const bool closing = kind == 'Y' || kind == 'Z';
    switch (state_) {
    case State::Routines:
        if (!kernel.takesRoutineWord(routines_.size() - 1, kind)) {
            return fail();
        }
        routines_.back().push_back(word);
        if (closing) {
            if (!kernel.routineReceived(routines_.size() - 1, routines_.back())) {
                return fail();
            }
            if (routines_.size() == kRoutineCount) {
                state_ = State::FirstAddress;
            } else {
                routines_.emplace_back();
            }
        }
        return StreamStep::Accepted;
    case State::FirstAddress:
    case State::Address:
        if (kind != 'U') {
            return fail();
        }
        address_ = word;
        state_ = State::Count;
        return StreamStep::Accepted;
    case State::Count:
        if (kind != 'U') {
            return fail();
        }
        remaining_ = static_cast<std::uint32_t>(word) + 1;
        state_ = State::Data;
        return StreamStep::Accepted;
    case State::Data:
        // Every word of a chunk but the last is streamed; the last one closes it.
        if ((remaining_ == 1) != (kind == 'Z') || (kind != 'S' && kind != 'Z')) {
            return fail();
        }
        // A word the kernel could not write fails the chunk at its closing word.
        chunkFailed_ = !kernel.programWord(address_++, word) || chunkFailed_;
        if (--remaining_ == 0) {
            state_ = State::Continuation;
            if (std::exchange(chunkFailed_, false)) {
                return fail();
            }
        }
        return StreamStep::Accepted;
    case State::Continuation:
        if (kind != 'U' || word > 1) {
            return fail();
        }
        state_ = word == 1 ? State::Address : State::Done;
        return word == 1 ? StreamStep::Accepted : StreamStep::Finished;
    case State::Done:
    case State::Failed:
        break;
    }
    return fail();
}

} // namespace lumetra::sim
