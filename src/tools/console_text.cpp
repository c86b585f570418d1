#include "tools/console_text.h"

namespace lumetra::tools {

namespace {

constexpr char kEscape = 0x1B;

bool keptControl(char c)
{
    return c == '\n' || c == '\t';
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

} // namespace

std::string ConsoleTextFilter::filter(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Escape:
            // ESC [ opens a control sequence; intermediate bytes (0x20..0x2F) go on; any other byte ends it.
            if (c == '[')
                state_ = State::ControlSequence;
            else if (byte < 0x20 || byte > 0x2F)
                state_ = State::Text;
            continue;
        case State::ControlSequence:
            // Parameter and intermediate bytes go on; a final byte (0x40..0x7E) or anything else ends it.
            if (byte < 0x20 || byte > 0x3F)
                state_ = State::Text;
            continue;
        case State::AfterCarriageReturn:
            state_ = State::Text;
            if (c == '\n')
                continue;
            break;
        case State::Text:
            break;
        }
        if (c == '\r') {
            text += '\n';
            state_ = State::AfterCarriageReturn;
        } else if (c == kEscape) {
            state_ = State::Escape;
        } else if (!isControl(byte) || keptControl(c)) {
            text += c;
        }
    }
    return text;
}

PageTrim trimForAppend(std::size_t pageLength, std::size_t textLength, std::size_t limit, std::size_t refill)
{
    if (pageLength + textLength <= limit)
        return {};
    if (textLength >= refill)
        return {pageLength, textLength - refill};
    return {pageLength + textLength - refill, 0};
}

} // namespace lumetra::tools
