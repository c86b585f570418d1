// Faults given on the command line of the pty simulator: "kind=no-reply,command=R,skip=2,count=1".
#pragma once

#include "sim/pod_simulator.h"

#include <optional>
#include <string_view>

namespace lumetra::sim {

// Keys: kind (no-reply, wrong-ack, short-reply, delay, stall, stray-byte, hang-up, corrupt-page; required), command
// (one character), skip, count (negative: for ever), delay (milliseconds: of a delay or a stall), after (reply bytes
// sent before a stall; host bytes before a hang-up). nullopt for an unknown key or kind, a malformed number or a
// missing kind.
std::optional<Fault> parseFaultOption(std::string_view text);

} // namespace lumetra::sim
