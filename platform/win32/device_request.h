#pragma once
// One DeviceIoControl on a device opened for overlapped I/O, bounded in
// time: a device that does not answer within the limit has its request
// cancelled, and the call fails as refused. Nothing else waits on a device.

#include <cstdint>

#include "platform/win32/win32_api.h"

namespace platform::win32 {

// Every request but the pass-through, which brings its own time-out.
inline constexpr DWORD kDeviceRequestMilliseconds = 10000;
// How long a cancelled request is given to let go of its memory.
inline constexpr DWORD kCancelWaitMilliseconds = 2000;

// DeviceIoControl with `in` and `out` (the same buffer may be both); false
// when refused or not answered within `milliseconds`. The request runs on
// copies of the two buffers, and `out` receives the reply only on success.
// A request still pending after its cancellation is given up: its copies are
// left to the driver and never freed, and `abandoned` (when given) says so,
// for a caller whose request points at further memory of its own.
bool BoundedDeviceIoControl(HANDLE device, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD& returned, DWORD milliseconds, bool* abandoned = nullptr);

}  // namespace platform::win32
