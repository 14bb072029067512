#pragma once
// The process's standard streams as the commands need them.

#include <string_view>

#include "base/codepage.h"

namespace platform {

// Standard output carries the report's bytes exactly as composed: on
// Windows the C runtime would otherwise turn every LF into CR LF, so the
// report's own CR LF would become CR CR LF. Nothing to do on Linux.
void UseBinaryStandardOutput();

// How a write to standard output ended. A reader that stops reading (`| head
// -1`) is no failure of ours: the command ends quietly, as other tools do.
enum class OutputResult { kWritten, kReaderClosed, kFailed };

// Writes all of `bytes` to standard output, unbuffered. On POSIX a closed
// pipe is reported as kReaderClosed whether SIGPIPE is ignored (a library
// such as libcups may have set it so) or not: the first call makes the
// signal ignored, so the write returns EPIPE instead of killing the process.
// On Windows a closed pipe is a write error that is told apart the same way.
//
// `bytes` are text in code page `encoding`. A file or a pipe receives them
// as they are. A Windows console reads bytes in its own code page (the OEM
// one, 850 or 437), not in the ANSI one the report is written in, so when
// standard output is a console the text is converted from `encoding` to
// UTF-16 and written through the console's wide-text service instead.
OutputResult WriteStandardOutput(std::string_view bytes, base::CodePage encoding);

}  // namespace platform
