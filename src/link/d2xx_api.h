// The few calls of the USB-serial driver library (D2XX) that the link uses, declared from their documented
// signatures: status 0 is success, handles are opaque pointers, counts are 32-bit unsigned.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#define LUMETRA_D2XX_CALL __stdcall
#else
#define LUMETRA_D2XX_CALL
#endif

namespace lumetra::link::d2xx {

using Status = std::uint32_t;
using Handle = void*;
using Dword = std::uint32_t;

constexpr Status kOk = 0;

constexpr Dword kListNumberOnly = 0x80000000u;
constexpr Dword kListByIndex = 0x40000000u;
constexpr Dword kOpenByDescription = 2;

constexpr Dword kPurgeRx = 1;
constexpr Dword kPurgeTx = 2;

constexpr std::uint8_t kBits8 = 8;
constexpr std::uint8_t kStopBits1 = 0;
constexpr std::uint8_t kParityNone = 0;
constexpr std::uint16_t kFlowNone = 0x0000;

// Size of the description buffer a by-index listing fills.
constexpr std::size_t kDescriptionSize = 64;

using ListDevicesFn = Status LUMETRA_D2XX_CALL(void* arg1, void* arg2, Dword flags);
using OpenExFn = Status LUMETRA_D2XX_CALL(void* arg, Dword flags, Handle* handle);
using ResetDeviceFn = Status LUMETRA_D2XX_CALL(Handle handle);
using GetLatencyTimerFn = Status LUMETRA_D2XX_CALL(Handle handle, std::uint8_t* milliseconds);
using SetLatencyTimerFn = Status LUMETRA_D2XX_CALL(Handle handle, std::uint8_t milliseconds);
using SetBaudRateFn = Status LUMETRA_D2XX_CALL(Handle handle, Dword baud);
using SetDataCharacteristicsFn = Status LUMETRA_D2XX_CALL(Handle handle, std::uint8_t wordLength,
                                                          std::uint8_t stopBits, std::uint8_t parity);
using SetFlowControlFn = Status LUMETRA_D2XX_CALL(Handle handle, std::uint16_t flow, std::uint8_t xon,
                                                  std::uint8_t xoff);
using SetTimeoutsFn = Status LUMETRA_D2XX_CALL(Handle handle, Dword readTimeout, Dword writeTimeout);
using PurgeFn = Status LUMETRA_D2XX_CALL(Handle handle, Dword mask);
using WriteFn = Status LUMETRA_D2XX_CALL(Handle handle, void* buffer, Dword size, Dword* written);
using ReadFn = Status LUMETRA_D2XX_CALL(Handle handle, void* buffer, Dword size, Dword* received);
using GetStatusFn = Status LUMETRA_D2XX_CALL(Handle handle, Dword* rxQueue, Dword* txQueue, Dword* events);
using GetQueueStatusFn = Status LUMETRA_D2XX_CALL(Handle handle, Dword* rxQueue);
using CloseFn = Status LUMETRA_D2XX_CALL(Handle handle);

} // namespace lumetra::link::d2xx
