#ifndef _WIN32

#include "sim/pty_server.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace lumetra::sim {

namespace {

constexpr auto kMaxHold = std::chrono::milliseconds(1);

// How long poll may sleep: until the next wake-up, without limit when there is none.
std::optional<timespec> sleepUntil(std::optional<Clock::time_point> due)
{
    if (!due)
        return std::nullopt;
    const auto left = std::max(Clock::duration::zero(), *due - Clock::now());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

bool readable(const pollfd& fd)
{
    return (fd.revents & (POLLIN | POLLHUP)) != 0;
}

} // namespace

bool PtyServer::run(int stopFd, int watchFd)
{
    for (;;) {
        pollfd fds[3] = {
            {terminal_.masterFd(), static_cast<short>(POLLIN | (writeBlocked_ ? POLLOUT : 0)), 0},
            {stopFd, POLLIN, 0},
            {watchFd, POLLIN, 0},
        };
        const auto timeout = sleepUntil(nextWake());
        const int ready = ::ppoll(fds, watchFd >= 0 ? 3 : 2, timeout ? &*timeout : nullptr, nullptr);
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready < 0)
            continue;
        if (readable(fds[1]))
            return true;
        if (watchFd >= 0 && readable(fds[2])) {
            char discard[256];
            const ssize_t n = ::read(watchFd, discard, sizeof discard);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                return true;
        }
        if (terminal_.masterFd() < 0)
            continue;
        if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0)
            return false;
        if ((fds[0].revents & POLLIN) != 0 && !readHostBytes())
            return false;
        if (simulator_.hungUp()) {
            hangUp();
            continue;
        }
        if (!writeReplyBytes())
            return false;
    }
}

// The POD is gone: the line goes down with it, so the client's writes fail as on a vanished port.
void PtyServer::hangUp()
{
    terminal_.hangUp();
    outgoing_.clear();
    writeBlocked_ = false;
}

bool PtyServer::readHostBytes()
{
    std::uint8_t chunk[4096];
    for (;;) {
        const ssize_t n = ::read(terminal_.masterFd(), chunk, sizeof chunk);
        if (n > 0) {
            simulator_.hostWrite(chunk, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// The next reply byte due, or the end of the hold of the bytes taken already.
std::optional<Clock::time_point> PtyServer::nextWake() const
{
    if (terminal_.masterFd() < 0)
        return std::nullopt;
    auto wake = simulator_.nextReplyDue();
    if (!outgoing_.empty() && !writeBlocked_) {
        const auto holdEnd = heldSince_ + kMaxHold;
        wake = wake ? std::min(*wake, holdEnd) : holdEnd;
    }
    return wake;
}

bool PtyServer::writeReplyBytes()
{
    std::uint8_t chunk[4096];
    for (std::size_t n; (n = simulator_.hostRead(chunk, sizeof chunk)) > 0;) {
        if (outgoing_.empty())
            heldSince_ = Clock::now();
        outgoing_.insert(outgoing_.end(), chunk, chunk + n);
    }
    const bool replyGoesOn = simulator_.queuedReplyBytes() > 0;
    if (outgoing_.empty() || (replyGoesOn && Clock::now() - heldSince_ < kMaxHold))
        return true;
    writeBlocked_ = false;
    while (!outgoing_.empty()) {
        const ssize_t n = ::write(terminal_.masterFd(), outgoing_.data(), outgoing_.size());
        if (n > 0) {
            outgoing_.erase(outgoing_.begin(), outgoing_.begin() + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        writeBlocked_ = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
        return writeBlocked_;
    }
    return true;
}

} // namespace lumetra::sim

#endif
