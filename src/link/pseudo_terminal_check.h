// Whether a device path names a pseudo-terminal, the only kind of port lumetra-podsim serves the POD on.
#pragma once

#include <string>

namespace lumetra::link {

// True when the path (after its links) is a character device under /dev/pts; always false on Windows,
// where no port is a pseudo-terminal.
bool isPseudoTerminal(const std::string& devicePath);

} // namespace lumetra::link
