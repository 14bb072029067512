// The manifests the executables carry (their RT_MANIFEST resource, number 1):
// veltrix-report.exe declares the same awareness of the display's DPI as the
// window. A process that declares none is handed the screen's sizes divided
// by the display's scale, which match no display mode.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "built_program_path.h"

namespace {

constexpr WORD kProcessManifest = 1;  // CREATEPROCESS_MANIFEST_RESOURCE_ID

std::string ManifestOf(const char* executable) {
    const HMODULE module = ::LoadLibraryExA(testing_support::BuiltProgramPath(executable).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(kProcessManifest), MAKEINTRESOURCEA(24))) {
        const HGLOBAL loaded = ::LoadResource(module, found);
        const auto* bytes = static_cast<const char*>(::LockResource(loaded));
        if (bytes) text.assign(bytes, ::SizeofResource(module, found));
    }
    ::FreeLibrary(module);
    return text;
}

// The element `name` with its contents, or "" when the manifest has none.
std::string Element(const std::string& manifest, const std::string& name) {
    const auto start = manifest.find("<" + name);
    const std::string end = "</" + name + ">";
    const auto stop = manifest.find(end, start);
    if (start == std::string::npos || stop == std::string::npos) return {};
    return manifest.substr(start, stop + end.size() - start);
}

}  // namespace

TEST(Manifests, TheReportDeclaresTheWindowsAwarenessOfTheDisplaysDpi) {
    const std::string report = ManifestOf(VELTRIX_REPORT_EXE);
    const std::string window = ManifestOf(VELTRIX_WINDOW_EXE);
    ASSERT_FALSE(report.empty()) << VELTRIX_REPORT_EXE;
    ASSERT_FALSE(window.empty()) << VELTRIX_WINDOW_EXE;
    const std::string settings = Element(window, "windowsSettings");
    ASSERT_NE(settings.find(">true</dpiAware>"), std::string::npos) << settings;
    ASSERT_NE(settings.find(">system</dpiAwareness>"), std::string::npos) << settings;
    EXPECT_EQ(Element(report, "windowsSettings"), settings);
    // Both still run as the user who starts them.
    for (const std::string* manifest : {&report, &window})
        EXPECT_NE(manifest->find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
}
