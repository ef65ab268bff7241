// The RAM optimizer's pass over the system's processes.
#include "app/forms/RamOptimizer.h"

#include <windows.h>
#include <tlhelp32.h>

#include "framework/Handles.h"

namespace ad {

int TrimWorkingSets() {
    OwnedFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));  // invalid is -1, as for files
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int trimmed = 0;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        OwnedKernelHandle process(::OpenProcess(PROCESS_SET_QUOTA, FALSE, entry.th32ProcessID));
        if (!process) continue;
        if (::SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1))) ++trimmed;
    }
    return trimmed;
}

}  // namespace ad
