// The transport factory of the platform this is built for.
#pragma once

#ifdef _WIN32
#include "link/win32_transport_factory.h"
#else
#include "link/posix_transport_factory.h"
#endif

namespace lumetra::link {

#ifdef _WIN32
using PlatformTransportFactory = Win32TransportFactory;
#else
using PlatformTransportFactory = PosixTransportFactory;
#endif

} // namespace lumetra::link
