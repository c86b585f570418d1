// Console output on its way to the message page: line ends made "\n", control bytes and terminal escape
// sequences left out (a program that prints binary garbage shows what is printable of it), and a page that
// keeps at most a generous number of characters, dropping the oldest text first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumetra::tools {

// Works on the bytes of any ASCII-compatible code page (control bytes never occur inside a multi-byte
// character). Keeps its state across chunks: a "\r\n" or an escape sequence may be split between two reads.
class ConsoleTextFilter {
public:
    std::string filter(std::string_view bytes);

private:
    enum class State { Text, AfterCarriageReturn, Escape, ControlSequence };
    State state_ = State::Text;
};

// The message page keeps at most this many characters; past it, the oldest text goes until the page is at
// kMessagePageRefill, so that trimming happens once in a while rather than on every append.
inline constexpr std::size_t kMessagePageLimit = 2'000'000;
inline constexpr std::size_t kMessagePageRefill = kMessagePageLimit / 10 * 9;
// Output is appended in batches: at this interval, or at once when this much is waiting.
inline constexpr int kOutputBatchIntervalMs = 50;
inline constexpr std::size_t kOutputBatchSize = 64 * 1024;

struct PageTrim {
    std::size_t dropFromPage = 0; // characters removed from the page's start
    std::size_t skipFromText = 0; // characters of the new text left out (the text alone is over the limit)

    bool operator==(const PageTrim&) const = default;
};

PageTrim trimForAppend(std::size_t pageLength, std::size_t textLength, std::size_t limit = kMessagePageLimit,
    std::size_t refill = kMessagePageRefill);

} // namespace lumetra::tools
