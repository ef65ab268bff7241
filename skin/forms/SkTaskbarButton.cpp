// The taskbar-button search.
#include "skin/forms/SkTaskbarButton.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "framework/Handles.h"

namespace ad::skin::forms {

namespace {

// Most buttons the search looks at, and how long one toolbar answer may take.
constexpr int kMaxButtons = 512;
constexpr UINT kAnswerTimeoutMs = 200;
constexpr size_t kRemoteBlock = 4096;

// A block of memory committed in another process, released with it.
class TRemoteBlock {
public:
    TRemoteBlock(HANDLE process, size_t size)
        : process_(process), address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~TRemoteBlock() {
        if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    TRemoteBlock(const TRemoteBlock&) = delete;
    TRemoteBlock& operator=(const TRemoteBlock&) = delete;
    void* Address() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

bool Ask(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer) {
    return ::SendMessageTimeoutW(wnd, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer) != 0;
}

bool ReadRemote(HANDLE process, uint64_t address, void* into, size_t size) {
    SIZE_T read = 0;
    return ::ReadProcessMemory(process, reinterpret_cast<const void*>(uintptr_t(address)), into, size, &read) &&
           read == size;
}

}  // namespace

bool ParseToolbarButton(const uint8_t* record, size_t size, bool process32, TSkToolbarButton& button) {
    if (!record || size < ToolbarButtonSize(process32)) return false;
    // iBitmap and idCommand (4 bytes each), fsState, fsStyle, then padding up
    // to dwData: 2 bytes in a 32-bit process, 6 in a 64-bit one.
    button.State = record[8];
    button.Style = record[9];
    if (process32) {
        uint32_t data = 0;
        std::memcpy(&data, record + 12, 4);
        button.Data = data;
    } else {
        std::memcpy(&button.Data, record + 16, 8);
    }
    return true;
}

bool IsApplicationButton(const TSkToolbarButton& button) {
    return !(button.Style & 0xD) && !(button.State & TBSTATE_HIDDEN) && button.Data != 0;
}

std::optional<TRect> FindTaskbarButtonRect(HWND appWnd) {
    if (!appWnd) return std::nullopt;
    HWND tray = ::FindWindowExW(nullptr, nullptr, L"Shell_TrayWnd", nullptr);
    HWND rebar = tray ? ::FindWindowExW(tray, nullptr, L"ReBarWindow32", nullptr) : nullptr;
    HWND tasks = rebar ? ::FindWindowExW(rebar, nullptr, L"MSTaskSwWClass", nullptr) : nullptr;
    HWND toolbar = tasks ? ::FindWindowExW(tasks, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
    if (!toolbar) return std::nullopt;
    DWORD_PTR count = 0;
    if (!Ask(toolbar, TB_BUTTONCOUNT, 0, 0, count) || count == 0) return std::nullopt;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(toolbar, &pid);
    // Only what the search needs: writing the answers into a block there and reading them.
    OwnedKernelHandle process(::OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return std::nullopt;
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(process.Get(), &wow64)) return std::nullopt;
    const bool process32 = wow64 != FALSE;  // this program is 64-bit, so the system is too
    TRemoteBlock block(process.Get(), kRemoteBlock);
    if (!block.Address()) return std::nullopt;
    const auto remote = reinterpret_cast<LPARAM>(block.Address());
    const uint32_t wanted = uint32_t(reinterpret_cast<uintptr_t>(appWnd));
    const int buttons = int(std::min<DWORD_PTR>(count, kMaxButtons));
    for (int i = 0; i < buttons; ++i) {
        DWORD_PTR ok = 0;
        if (!Ask(toolbar, TB_GETBUTTON, WPARAM(i), remote, ok) || !ok) continue;
        uint8_t record[32] = {};
        const size_t size = ToolbarButtonSize(process32);
        TSkToolbarButton button;
        if (!ReadRemote(process.Get(), uint64_t(remote), record, size) ||
            !ParseToolbarButton(record, size, process32, button) || !IsApplicationButton(button))
            continue;
        uint32_t owner = 0;
        if (!ReadRemote(process.Get(), button.Data, &owner, sizeof owner) || owner != wanted) continue;
        RECT r{};
        if (!Ask(toolbar, TB_GETITEMRECT, WPARAM(i), remote, ok) || !ok ||
            !ReadRemote(process.Get(), uint64_t(remote), &r, sizeof r))
            return std::nullopt;
        POINT origin{0, 0};
        ::ClientToScreen(toolbar, &origin);
        return TRect{r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
    }
    return std::nullopt;
}

}  // namespace ad::skin::forms
