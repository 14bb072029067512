#include "platform/win32/device_request.h"

namespace platform::win32 {

namespace {

// An event of our own, closed on every path.
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

}  // namespace

bool BoundedDeviceIoControl(HANDLE device, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                            DWORD& returned, DWORD milliseconds) {
    returned = 0;
    const Event done;
    if (!done.Get()) return false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = done.Get();
    if (::DeviceIoControl(device, code, const_cast<void*>(in), inSize, out, outSize, &returned, &overlapped))
        return true;
    if (::GetLastError() != ERROR_IO_PENDING) return false;
    if (::WaitForSingleObject(done.Get(), milliseconds) != WAIT_OBJECT_0) {
        // The buffers must outlive the request: cancel it and wait until the
        // driver lets go of them.
        ::CancelIoEx(device, &overlapped);
        DWORD ignored = 0;
        ::GetOverlappedResult(device, &overlapped, &ignored, TRUE);
        return false;
    }
    return ::GetOverlappedResult(device, &overlapped, &returned, FALSE) != FALSE;
}

}  // namespace platform::win32
