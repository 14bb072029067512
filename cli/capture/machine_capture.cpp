#include "cli/capture/machine_capture.h"

#include "app/pages/Categories.h"
#include "app/pages/CollectorSet.h"
#include "app/pages/ReportWriter.h"
#include "app/pages/WindowTexts.h"
#include "collectors/Keyboard.h"
#include "collectors/OperatingSystem.h"
#include "platform/recording/masked_machine_file.h"
#include "platform/recording/recording_machine.h"

namespace cli {

namespace {

class NoFields final : public app::FieldSink {
public:
    void Write(const char*, app::FieldKind, const app::FieldValue&) override {}
};

}  // namespace

void AskEverything(platform::Machine& machine) {
    app::CollectorSet collectors(machine);
    const app::TranslatedWindowTexts texts;
    (void)app::ReportWriter(collectors, texts).Compose(app::kAllCategories);
    // One tick of the window's timer, and the Tab key the tab strip asks for.
    NoFields ignored;
    for (const app::CategoryRow& row : app::CategoryTable())
        if (row.refreshedByTimer) collectors.Devices(row.category).Refresh(ignored, collectors.Format());
    (void)collectors::Keyboard(machine).IsTabKey();
    const collectors::OperatingSystem system(machine);
    (void)machine.GetRegionalSettings();
}

std::string CaptureMachineFile(platform::Machine& machine, const std::string& comment, bool maskIdentifiers) {
    platform::recording::RecordingMachine recording(machine);
    AskEverything(recording);
    auto file = recording.MachineFile();
    file["comment"] = comment;
    if (maskIdentifiers)
        platform::recording::MaskMachineFile(
            file, platform::linux_backend::IdentifierMask(platform::recording::CaptureMaskKey()));
    // Names the machine handed over unchecked (service and key names) may
    // not be UTF-8: such a byte becomes U+FFFD rather than stopping the capture.
    return file.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace cli
