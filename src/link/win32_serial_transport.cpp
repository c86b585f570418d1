#ifdef _WIN32

#include "link/win32_serial_transport.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace lumetra::link {

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kQueueSize = 4096;
constexpr DWORD kInterByteMs = 100;
constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

DWORD toMilliseconds(Milliseconds duration)
{
    return static_cast<DWORD>(std::clamp<Milliseconds::rep>(duration.count(), 1, MAXDWORD - 1));
}

bool configure(HANDLE handle, DWORD replyTimeoutMs)
{
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = kInterByteMs;
    timeouts.ReadTotalTimeoutMultiplier = 1;
    timeouts.ReadTotalTimeoutConstant = replyTimeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 100;
    timeouts.WriteTotalTimeoutConstant = replyTimeoutMs;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    dcb.BaudRate = CBR_115200;
    // The system supports binary transfers only.
    dcb.fBinary = TRUE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    return ::SetupComm(handle, kQueueSize, kQueueSize) && ::SetCommTimeouts(handle, &timeouts)
        && ::PurgeComm(handle, kPurgeAll) && ::SetCommMask(handle, EV_RXCHAR | EV_RXFLAG | EV_TXEMPTY)
        && ::SetCommState(handle, &dcb);
}

std::optional<COMSTAT> queueState(HANDLE handle)
{
    DWORD errors = 0;
    COMSTAT state{};
    if (!::ClearCommError(handle, &errors, &state))
        return std::nullopt;
    return state;
}

// After a failed step of opening: closes the handle when there is one and says why from the last error.
std::nullptr_t refuseOpen(HANDLE handle, OpenFailure* failure)
{
    const DWORD error = ::GetLastError();
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    // A port opened without sharing refuses every other open.
    if (failure)
        *failure = {error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION,
                    std::error_code(static_cast<int>(error), std::system_category())};
    return nullptr;
}

} // namespace

std::unique_ptr<Win32SerialTransport> Win32SerialTransport::open(int comPort, const std::string& devicePath,
                                                                 Milliseconds replyTimeout, OpenFailure* failure)
{
    std::string path = devicePath;
    if (path.empty()) {
        if (comPort < 1)
            return nullptr;
        char name[32];
        std::snprintf(name, sizeof name, "\\\\.\\COM%d", comPort);
        path = name;
    }
    HANDLE handle = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return refuseOpen(handle, failure);
    const DWORD timeoutMs = toMilliseconds(replyTimeout);
    if (!configure(handle, timeoutMs))
        return refuseOpen(handle, failure);
    return std::unique_ptr<Win32SerialTransport>(new Win32SerialTransport(handle, timeoutMs));
}

Win32SerialTransport::Win32SerialTransport(void* handle, std::uint32_t replyTimeoutMs)
    : handle_(handle), replyTimeoutMs_(replyTimeoutMs)
{
}

Win32SerialTransport::~Win32SerialTransport()
{
    close();
}

bool Win32SerialTransport::write(const std::uint8_t* data, std::size_t size, Milliseconds drainTimeout)
{
    if (handle_ == nullptr)
        return false;
    const auto deadline = Clock::now() + drainTimeout;
    DWORD written = 0;
    const auto length = static_cast<DWORD>(size);
    if (!::WriteFile(handle_, data, length, &written, nullptr) || written != length) {
        queueState(handle_);
        return false;
    }
    // No drain with a time-out exists: sample the output queue.
    for (;;) {
        const auto state = queueState(handle_);
        if (!state)
            return false;
        if (state->cbOutQue == 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
        ::Sleep(1);
    }
}

// With interval and multiplier at MAXDWORD, a ReadFile returns as soon as any byte is there, or after the
// constant with nothing: the wait is the first-byte time-out, then the inter-byte time-out.
bool Win32SerialTransport::setReadWait(std::uint32_t milliseconds)
{
    if (milliseconds == readWaitMs_)
        return true;
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = milliseconds;
    timeouts.WriteTotalTimeoutMultiplier = 100;
    timeouts.WriteTotalTimeoutConstant = replyTimeoutMs_;
    if (!::SetCommTimeouts(handle_, &timeouts))
        return false;
    readWaitMs_ = milliseconds;
    return true;
}

bool Win32SerialTransport::read(std::uint8_t* buffer, std::size_t count, Milliseconds firstByteTimeout,
                                Milliseconds interByteTimeout)
{
    if (handle_ == nullptr)
        return false;
    std::size_t received = 0;
    while (received < count) {
        if (!setReadWait(toMilliseconds(received == 0 ? firstByteTimeout : interByteTimeout)))
            return false;
        DWORD got = 0;
        const auto wanted = static_cast<DWORD>(count - received);
        if (!::ReadFile(handle_, buffer + received, wanted, &got, nullptr) || got == 0 || got > wanted)
            return false;
        received += got;
    }
    return true;
}

std::optional<std::size_t> Win32SerialTransport::bytesWaiting()
{
    if (handle_ == nullptr)
        return std::nullopt;
    const auto state = queueState(handle_);
    if (!state)
        return std::nullopt;
    return state->cbInQue;
}

void Win32SerialTransport::purge()
{
    if (handle_ != nullptr)
        ::PurgeComm(handle_, kPurgeAll);
}

bool Win32SerialTransport::close()
{
    if (handle_ == nullptr)
        return true;
    ::SetCommMask(handle_, 0);
    ::PurgeComm(handle_, kPurgeAll);
    ::CloseHandle(handle_);
    handle_ = nullptr;
    return true;
}

} // namespace lumetra::link

#endif
