#pragma once
// Text the system's A functions hand over is in the system's ANSI code page
// (GetACP), which is Windows-1252 only on western installations: it is
// decoded with that code page, once, into the program's wide text.

#include <string>
#include <string_view>

namespace platform::win32 {

// The bytes of an A function's buffer up to its first zero byte, decoded
// with the ANSI code page.
std::wstring FromAnsi(std::string_view bytes);

// Gives base the system's conversions of the code pages it does not know,
// and the ANSI code page (GetACP, unless another is named) as the report
// file's; once per process is enough, more is harmless.
void InstallSystemCodePages(unsigned ansiCodePage = 0);

// The system's own wording of a Win32 error code, without its line end.
std::string ErrorText(unsigned long code);

// A failure to read or write a file the user names, in the words the Linux
// build uses for the failures a user meets most ("No such file or
// directory", "Permission denied"), the system's own words for the rest.
std::string FileErrorText(unsigned long code);

}  // namespace platform::win32
