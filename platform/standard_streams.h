#pragma once
// The process's standard streams as the commands need them.

namespace platform {

// Standard output carries the report's bytes exactly as composed: on
// Windows the C runtime would otherwise turn every LF into CR LF, so the
// report's own CR LF would become CR CR LF. Nothing to do on Linux.
void UseBinaryStandardOutput();

}  // namespace platform
