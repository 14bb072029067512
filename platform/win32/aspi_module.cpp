#include "platform/win32/aspi_module.h"

#include <algorithm>
#include <string>

#include "platform/win32/aspi_srb.h"

namespace platform::win32 {

struct AspiModule::Command {
    std::vector<std::uint8_t> block;
    std::vector<std::uint8_t> data;
    HANDLE event = nullptr;

    Command() = default;
    ~Command() {
        if (event) ::CloseHandle(event);
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;
    bool Finished() const { return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }
};

namespace {

// The module returns the request's status, and writes it into the block too;
// a module that refuses a request at once (no adapters) may leave the block
// as it was, so the returned value stands where the block says nothing.
std::uint8_t FinalStatus(std::uint8_t written, DWORD answer) {
    const auto returned = static_cast<std::uint8_t>(answer & 0xFF);
    return written != aspi::kSsPending ? written : returned;
}

template <typename Routine>
Routine Find(HMODULE module, std::string_view name) {
    // The two routines' types are the module's documented ones.
    return reinterpret_cast<Routine>(reinterpret_cast<void*>(::GetProcAddress(module, std::string(name).c_str())));
}

}  // namespace

std::unique_ptr<AspiModule> AspiModule::Load() {
    const HMODULE module =
        ::LoadLibraryExA(std::string(drive::kAspiModule).c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (!module) return nullptr;
    const auto supportInfo = Find<SupportInfoRoutine>(module, drive::kGetAspi32SupportInfo);
    const auto sendCommand = Find<SendCommandRoutine>(module, drive::kSendAspi32Command);
    if (!supportInfo || !sendCommand) {
        ::FreeLibrary(module);
        return nullptr;
    }
    return std::unique_ptr<AspiModule>(new AspiModule(module, supportInfo, sendCommand));
}

AspiModule::AspiModule(HMODULE module, SupportInfoRoutine supportInfo, SendCommandRoutine sendCommand)
    : module_(module), supportInfo_(supportInfo), sendCommand_(sendCommand) {}

AspiModule::~AspiModule() {
    bool outstanding = false;
    for (auto& command : abandoned_) {
        if (command->Finished()) continue;
        // Still the module's: freeing the block, the buffer or the module's
        // code under it would be worse than keeping them to the end.
        static_cast<void>(command.release());
        outstanding = true;
    }
    if (!outstanding) ::FreeLibrary(module_);
}

std::uint32_t AspiModule::GetASPI32SupportInfo() { return supportInfo_(); }

std::uint32_t AspiModule::SendASPI32Command(SrbHaInquiry& srb) {
    std::vector<std::uint8_t> block = aspi_srb::BuildHaInquiry(srb);
    const DWORD answer = sendCommand_(block.data());
    aspi_srb::ReadHaInquiry(block, srb);
    return srb.status = FinalStatus(srb.status, answer);
}

std::uint32_t AspiModule::SendASPI32Command(SrbGetDevType& srb) {
    std::vector<std::uint8_t> block = aspi_srb::BuildGetDevType(srb);
    const DWORD answer = sendCommand_(block.data());
    aspi_srb::ReadGetDevType(block, srb);
    return srb.status = FinalStatus(srb.status, answer);
}

std::uint32_t AspiModule::SendASPI32Command(SrbExecScsiCmd& srb, DWORD milliseconds) {
    srb.status = aspi::kSsErr;
    if (srb.buffer.size() < srb.bufferLength) return srb.status;
    // The module writes into a block and a buffer of the machine's own, which
    // outlive the command even when it is given up.
    auto command = std::make_unique<Command>();
    command->event = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!command->event) return srb.status;
    command->data.assign(srb.bufferLength, 0);
    const aspi_srb::ExecLayout layout = aspi_srb::NativeExecLayout();
    SrbExecScsiCmd request = srb;
    request.flags |= aspi::kSrbEventNotify;
    command->block = aspi_srb::BuildExecScsiCmd(request, layout, reinterpret_cast<std::uintptr_t>(command->data.data()),
                                                reinterpret_cast<std::uintptr_t>(command->event));
    // Only the returned value is read while the module may still be at work.
    const DWORD answer = sendCommand_(command->block.data());
    if ((answer & 0xFF) == aspi::kSsPending && ::WaitForSingleObject(command->event, milliseconds) != WAIT_OBJECT_0) {
        abandoned_.push_back(std::move(command));
        return srb.status;
    }
    aspi_srb::ReadExecScsiCmd(command->block, layout, srb);
    srb.status = FinalStatus(srb.status, answer);
    if (srb.status == aspi::kSsPending) srb.status = aspi::kSsErr;  // signalled, yet not done: not trusted
    std::copy(command->data.begin(), command->data.end(), srb.buffer.begin());
    return srb.status;
}

}  // namespace platform::win32
