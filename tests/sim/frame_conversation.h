// Talking to the simulator frame by frame: one frame in, the reply bytes due at once out.
#pragma once

#include "sim/pod_simulator.h"

#include "link/pod_frames.h"

#include <string>

namespace lumetra::sim {

inline std::string converse(PodSimulator& pod, const std::string& body)
{
    const std::string bytes = "\x02" + body + "\x03";
    pod.hostWrite(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    std::string reply(pod.queuedReplyBytes(), '\0');
    reply.resize(pod.hostRead(reinterpret_cast<std::uint8_t*>(reply.data()), reply.size()));
    return reply;
}

// A data-flash record body: ':', the fields, their checksum and CR.
inline std::string dataFlashRecord(const std::string& fields)
{
    return ":" + fields + link::asciiChecksum(fields) + "\r";
}

} // namespace lumetra::sim
