#ifndef _WIN32

#include "link/posix_serial_transport.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace lumetra::link {

namespace {

using Clock = std::chrono::steady_clock;

// Time one byte (start, 8 data bits, stop) needs on the line at 115200 baud.
constexpr std::chrono::microseconds kByteWireTime{87};

bool configureRaw115200(int fd)
{
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, B115200) != 0 || ::cfsetospeed(&tio, B115200) != 0)
        return false;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

// Milliseconds left until deadline, rounded up so that a wait never ends early; 0 once it has passed.
int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

// After a failed step of opening: gives up exclusive terminal mode when it was taken, closes the descriptor
// (which drops its lock) and says why from errno.
std::nullptr_t refuseOpen(int fd, bool exclusive, OpenFailure* failure)
{
    const int error = errno;
    if (fd >= 0) {
        if (exclusive)
            ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }
    // A terminal in exclusive use refuses other opens with EBUSY; a lock held elsewhere gives EWOULDBLOCK.
    if (failure)
        *failure = {error == EBUSY || error == EWOULDBLOCK, std::error_code(error, std::generic_category())};
    return nullptr;
}

} // namespace

std::unique_ptr<PosixSerialTransport> PosixSerialTransport::open(const std::string& devicePath, OpenFailure* failure)
{
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuseOpen(fd, false, failure);
    // Exclusive use, as the port is opened without sharing. Exclusive terminal mode does not bind a privileged
    // process, so the device is locked as well, which keeps out every program that locks it the same way.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0)
        return refuseOpen(fd, false, failure);
    if (!configureRaw115200(fd) || ::tcflush(fd, TCIOFLUSH) != 0)
        return refuseOpen(fd, true, failure);
    return std::unique_ptr<PosixSerialTransport>(new PosixSerialTransport(fd));
}

PosixSerialTransport::~PosixSerialTransport()
{
    close();
}

bool PosixSerialTransport::write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout)
{
    if (fd_ < 0)
        return false;
    const auto deadline = Clock::now() + drainTimeout;
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(fd_, data + written, size - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd pfd{fd_, POLLOUT, 0};
        const int ready = ::poll(&pfd, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            return false;
    }
    return waitForOutputDrained(deadline);
}

// The terminal layer has no drain with a time-out, so the output queue is sampled; each pause lasts as
// long as the queued bytes need on the line, so the wait ends about when the last byte has left.
bool PosixSerialTransport::waitForOutputDrained(Clock::time_point deadline)
{
    for (;;) {
        int queued = 0;
        if (::ioctl(fd_, TIOCOUTQ, &queued) != 0)
            return false;
        if (queued <= 0)
            return true;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        const auto pause = std::min<Clock::duration>(kByteWireTime * queued, deadline - now);
        std::this_thread::sleep_for(pause);
    }
}

bool PosixSerialTransport::read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
                                Milliseconds interByteTimeout)
{
    if (fd_ < 0)
        return false;
    std::size_t received = 0;
    bool hungUp = false;
    auto deadline = Clock::now() + firstByteTimeout;
    while (received < count) {
        // Non-blocking raw read: 0 or EAGAIN both mean "nothing yet".
        const ssize_t n = ::read(fd_, buffer + received, count - received);
        if (n > 0) {
            received += static_cast<std::size_t>(n);
            deadline = Clock::now() + interByteTimeout;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if ((n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) || hungUp)
            return false;
        pollfd pfd{fd_, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (pfd.revents & (POLLERR | POLLNVAL)) != 0)
            return false;
        // After a hang-up, take what is still buffered and then give up.
        hungUp = (pfd.revents & POLLHUP) != 0;
    }
    return true;
}

std::optional<std::size_t> PosixSerialTransport::bytesWaiting()
{
    int waiting = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &waiting) != 0 || waiting < 0)
        return std::nullopt;
    return static_cast<std::size_t>(waiting);
}

void PosixSerialTransport::purge()
{
    if (fd_ >= 0)
        ::tcflush(fd_, TCIOFLUSH);
}

bool PosixSerialTransport::close()
{
    if (fd_ < 0)
        return true;
    ::tcflush(fd_, TCIOFLUSH);
    // The device may outlive this client (a pseudo-terminal held by its server): give up exclusive use. The
    // lock goes with the descriptor.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    return true;
}

} // namespace lumetra::link

#endif
