#include "platform/win32/device_request.h"

#include <cstring>
#include <memory>
#include <vector>

namespace platform::win32 {

namespace {

// An event of our own, closed on every path. Closing it while a request is
// still pending is safe: the system keeps its own reference to the event
// until the request completes.
class Event {
public:
    Event() : handle_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Event() {
        if (handle_) ::CloseHandle(handle_);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The memory a request lends the driver: the driver writes the status into
// the OVERLAPPED and the reply into `out` whenever it completes.
struct LentMemory {
    OVERLAPPED overlapped{};
    std::vector<std::uint8_t> in, out;
};

}  // namespace

bool BoundedDeviceIoControl(HANDLE device, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD& returned, DWORD milliseconds, bool* abandoned) {
    returned = 0;
    if (abandoned) *abandoned = false;
    const Event done;
    if (!done.Get()) return false;
    // The request runs on copies: the caller's buffers are its own again when
    // this returns, whatever the driver does later.
    auto lent = std::make_unique<LentMemory>();
    const auto* inBytes = static_cast<const std::uint8_t*>(in);
    auto* outBytes = static_cast<std::uint8_t*>(out);
    lent->in.assign(inBytes, inBytes + (in ? inSize : 0));
    lent->out.assign(outBytes, outBytes + (out ? outSize : 0));
    lent->overlapped.hEvent = done.Get();
    void* lentIn = lent->in.empty() ? nullptr : lent->in.data();
    void* lentOut = lent->out.empty() ? nullptr : lent->out.data();
    DWORD answered = 0;
    bool ok = ::DeviceIoControl(device, code, lentIn, inSize, lentOut, outSize, &answered, &lent->overlapped) != FALSE;
    if (!ok) {
        if (::GetLastError() != ERROR_IO_PENDING) return false;
        if (::WaitForSingleObject(done.Get(), milliseconds) != WAIT_OBJECT_0) {
            ::CancelIoEx(device, &lent->overlapped);
            // A driver that honours the cancellation completes the request at
            // once. One that does not within this time keeps the memory: it
            // is never freed, so a late reply writes into memory of its own.
            if (::WaitForSingleObject(done.Get(), kCancelWaitMilliseconds) != WAIT_OBJECT_0) {
                static_cast<void>(lent.release());  // left to the driver on purpose
                if (abandoned) *abandoned = true;
            }
            return false;
        }
        ok = ::GetOverlappedResult(device, &lent->overlapped, &answered, FALSE) != FALSE;
        if (!ok) return false;
    }
    if (out && outSize) std::memcpy(out, lent->out.data(), outSize);
    returned = answered;
    return true;
}

}  // namespace platform::win32
