#pragma once
// The Windows process functions the program calls to give its memory pages back to the system, under
// their own names and types.

#include <cstddef>
#include <cstdint>

using DWORD = std::uint32_t;
using BOOL = int;
using SIZE_T = std::size_t;

struct ProcessHandle;
using HANDLE = ProcessHandle*;

#ifndef TRUE
inline constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
inline constexpr BOOL FALSE = 0;
#endif

inline constexpr DWORD PROCESS_SET_QUOTA = 0x0100;
inline constexpr DWORD PROCESS_ALL_ACCESS = 0x1FFFFF;

DWORD GetCurrentProcessId();

// A handle on the program's own process; any other process id gives a null handle.
HANDLE OpenProcess(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId);

// Minimum and maximum both all bits set ((SIZE_T)-1) ask to give back as many pages as possible: the
// heap's free memory is returned to the system. Other limits are accepted and change nothing. Needs a
// handle opened with PROCESS_SET_QUOTA.
BOOL SetProcessWorkingSetSize(HANDLE hProcess, SIZE_T dwMinimumWorkingSetSize,
                              SIZE_T dwMaximumWorkingSetSize);

// FALSE for a null handle or one already closed.
BOOL CloseHandle(HANDLE hObject);
