#include "platform/sys/ProcessMemory.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
// Under AddressSanitizer the heap is the sanitizer's own; this is its way to hand free memory back.
extern "C" void __sanitizer_purge_allocator();
#endif

struct ProcessHandle {
    DWORD access;
};

namespace {

// Open handles; a handle stays valid until CloseHandle removes it.
struct HandleTable {
    std::mutex mutex;
    std::vector<std::unique_ptr<ProcessHandle>> handles;

    auto find(HANDLE h) {
        return std::find_if(handles.begin(), handles.end(), [h](const auto& p) { return p.get() == h; });
    }
};

HandleTable& handleTable() {
    static HandleTable table;
    return table;
}

void releaseFreeHeap() {
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_purge_allocator();
#else
    malloc_trim(0);
#endif
}

} // namespace

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(::getpid());
}

HANDLE OpenProcess(DWORD dwDesiredAccess, BOOL /*bInheritHandle: no child ever inherits*/,
                   DWORD dwProcessId) {
    if (dwProcessId != GetCurrentProcessId())
        return nullptr;
    HandleTable& table = handleTable();
    const std::lock_guard lock(table.mutex);
    return table.handles.emplace_back(std::make_unique<ProcessHandle>(ProcessHandle{dwDesiredAccess})).get();
}

BOOL SetProcessWorkingSetSize(HANDLE hProcess, SIZE_T dwMinimumWorkingSetSize,
                              SIZE_T dwMaximumWorkingSetSize) {
    {
        HandleTable& table = handleTable();
        const std::lock_guard lock(table.mutex);
        const auto it = table.find(hProcess);
        if (hProcess == nullptr || it == table.handles.end() || ((*it)->access & PROCESS_SET_QUOTA) == 0)
            return FALSE;
    }
    constexpr SIZE_T kAllBits = ~SIZE_T{0};
    if (dwMinimumWorkingSetSize == kAllBits && dwMaximumWorkingSetSize == kAllBits)
        releaseFreeHeap();
    return TRUE;
}

BOOL CloseHandle(HANDLE hObject) {
    HandleTable& table = handleTable();
    const std::lock_guard lock(table.mutex);
    const auto it = table.find(hObject);
    if (hObject == nullptr || it == table.handles.end())
        return FALSE;
    table.handles.erase(it);
    return TRUE;
}
