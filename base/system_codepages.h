#pragma once
// Code pages this library does not convert itself (932, 936, 1251, 1253 ...),
// which the system converts with its own tables where a backend supplies
// them (the Windows machine, at start), and the system's single-byte (ANSI)
// code page, in which the report file is written: Windows-1252 where the
// system has none (Linux), as documented. DecodeText and EncodeText reach the
// system's tables for any code page but Windows-1252 and UTF-8; with none
// installed such text is read as Windows-1252.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/codepage.h"

namespace base {

struct SystemCodePages {
    CodePage ansi = CodePage::kWindows1252;
    // Nothing when the system does not know `page`.
    std::optional<std::wstring> (*decode)(CodePage page, std::string_view bytes) = nullptr;
    std::optional<std::string> (*encode)(CodePage page, std::wstring_view text) = nullptr;
};

// Once, at start, before text is converted; a second call replaces the first.
void InstallSystemCodePages(const SystemCodePages& pages);

// The code page of the report file.
CodePage ReportCodePage();

// The installed tables' conversion; nothing when none is installed or the
// system does not know `page`.
std::optional<std::wstring> DecodeWithSystem(CodePage page, std::string_view bytes);
std::optional<std::string> EncodeWithSystem(CodePage page, std::wstring_view text);

}  // namespace base
