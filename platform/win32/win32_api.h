#pragma once
// The Windows headers, for every source of the Windows machine: include this,
// never <windows.h> itself.
//
// The Windows headers name many services with macros: the A/W pairs
// (GetVersionEx becomes GetVersionExA) and a few inline stand-ins, among
// them ReadTimeStampCounter(), which becomes __rdtsc(). The machine's
// operations carry the same names, so after <windows.h> a declaration of
// `ReadTimeStampCounter()` is silently renamed `__rdtsc()`, and a body
// `return __rdtsc();` calls itself for ever instead of the instruction.
// Every macro that names an operation of the machine is removed here; the
// Windows machine calls the services by their full names (GetVersionExA).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cfgmgr32.h>
#include <mmsystem.h>
#include <setupapi.h>
#include <winioctl.h>
#include <winspool.h>

#undef CM_Get_Device_ID
#undef CreateFile
#undef EnumDisplayDevices
#undef EnumDisplaySettings
#undef EnumPorts
#undef EnumPrinters
#undef GetDefaultPrinter
#undef GetKeyboardLayoutName
#undef GetSystemMetrics
#undef GetVersionEx
#undef ReadTimeStampCounter
#undef RegEnumKeyEx
#undef RegOpenKeyEx
#undef RegQueryValueEx
#undef SetupDiGetClassDevs
#undef SetupDiGetDeviceRegistryProperty
#undef Sleep
#undef SystemParametersInfo
#undef joyGetDevCaps
#undef waveInGetDevCaps
#undef waveOutGetDevCaps
