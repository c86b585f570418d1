#ifndef _WIN32

#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace lumetra::sim {

namespace {

bool makeRaw(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::open()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return nullptr;
    const char* name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || (name = ::ptsname(master)) == nullptr) {
        ::close(master);
        return nullptr;
    }
    std::string path = name;
    const int slave = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0 || !makeRaw(slave) || ::fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, std::move(path)));
}

PseudoTerminal::PseudoTerminal(int masterFd, int slaveFd, std::string slavePath)
    : masterFd_(masterFd), slaveFd_(slaveFd), slavePath_(std::move(slavePath))
{
}

PseudoTerminal::~PseudoTerminal()
{
    hangUp();
}

void PseudoTerminal::hangUp()
{
    if (masterFd_ < 0)
        return;
    ::close(slaveFd_);
    ::close(masterFd_);
    slaveFd_ = -1;
    masterFd_ = -1;
}

} // namespace lumetra::sim

#endif
