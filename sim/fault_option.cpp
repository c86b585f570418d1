#include "sim/fault_option.h"

#include <array>
#include <charconv>
#include <utility>

namespace lumetra::sim {

namespace {

constexpr std::array<std::pair<std::string_view, FaultKind>, 8> kKinds {{
    {"no-reply", FaultKind::NoReply},
    {"wrong-ack", FaultKind::WrongAck},
    {"short-reply", FaultKind::ShortReply},
    {"delay", FaultKind::Delay},
    {"stall", FaultKind::Stall},
    {"stray-byte", FaultKind::StrayByte},
    {"hang-up", FaultKind::HangUp},
    {"corrupt-page", FaultKind::CorruptPage},
}};

template <typename Number>
bool parseNumber(std::string_view text, Number& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool applyField(std::string_view key, std::string_view value, Fault& fault, bool& haveKind)
{
    if (key == "kind") {
        for (const auto& [name, kind] : kKinds) {
            if (name == value) {
                fault.kind = kind;
                haveKind = true;
                return true;
            }
        }
        return false;
    }
    if (key == "command") {
        if (value.size() != 1)
            return false;
        fault.command = value[0];
        return true;
    }
    if (key == "skip")
        return parseNumber(value, fault.skip) && fault.skip >= 0;
    if (key == "count")
        return parseNumber(value, fault.count);
    if (key == "delay") {
        long long ms = 0;
        if (!parseNumber(value, ms) || ms < 0)
            return false;
        fault.delay = Milliseconds(ms);
        return true;
    }
    if (key == "after")
        return parseNumber(value, fault.afterBytes);
    return false;
}

} // namespace

std::optional<Fault> parseFaultOption(std::string_view text)
{
    Fault fault;
    bool haveKind = false;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view field = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        const std::size_t equals = field.find('=');
        if (equals == std::string_view::npos || !applyField(field.substr(0, equals), field.substr(equals + 1), fault, haveKind))
            return std::nullopt;
    }
    if (!haveKind)
        return std::nullopt;
    return fault;
}

} // namespace lumetra::sim
