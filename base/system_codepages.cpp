#include "base/system_codepages.h"

#include <atomic>

namespace base {

namespace {

std::atomic<CodePage> ansiPage{CodePage::kWindows1252};
std::atomic<decltype(SystemCodePages::decode)> decoder{nullptr};
std::atomic<decltype(SystemCodePages::encode)> encoder{nullptr};

}  // namespace

void InstallSystemCodePages(const SystemCodePages& pages) {
    decoder = pages.decode;
    encoder = pages.encode;
    ansiPage = pages.ansi;
}

CodePage ReportCodePage() { return ansiPage; }

std::optional<std::wstring> DecodeWithSystem(CodePage page, std::string_view bytes) {
    const auto decode = decoder.load();
    return decode ? decode(page, bytes) : std::nullopt;
}

std::optional<std::string> EncodeWithSystem(CodePage page, std::wstring_view text) {
    const auto encode = encoder.load();
    return encode ? encode(page, text) : std::nullopt;
}

}  // namespace base
