// Launcher benchmark, run under Wine (scripts/bench-launcher.sh): choosing a
// category of N programs until view 1 shows its first page and until its scan
// has ended, with the GUI thread's longest stall (next to reading the same
// entries the old way, one profile-API call per key); how fast locations of
// each form resolve; the scans of views 3 and 2 with the longest stall;
// building the tray menu and the stall while its icons arrive; importing from
// the desktop, the MUI cache and App Paths; start to first paint next to
// Wine's own Notepad, and the shares of start-up inside the process; and what
// each step per program costs. Arguments choose sections (view1 resolve scan
// tray import start startparts parts); none runs them all.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Catalogue.h"
#include "app/forms/ImportSources.h"
#include "app/forms/TADImpro.h"
#include "app/forms/TfrmAppdeck.h"
#include "framework/Handles.h"
#include "framework/Graphics.h"
#include "framework/Registry.h"
#include "framework/ShellIcon.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"

using namespace ad;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double MedianMs(int runs, F&& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        f();
        t.push_back(Ms(Clock::now() - start));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

std::string TempFolder() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    std::string base = Narrow(std::wstring(buf, n)) + Format("adbench-%lu\\", ::GetCurrentProcessId());
    ForceDirectories(base + "ADCat");
    return base;
}

void WriteCategory(const std::string& file, int n, const std::string& exe) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += Format("[Program %05d]\r\nLoc=%s\r\nParam=-n %d\r\nDesc=Benchmark entry %d\r\n", i, exe.c_str(), i, i);
    HANDLE h = ::CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(h);
}

// The old way: one profile call per key, which re-reads the file each time.
int ReadWithProfileApi(const std::string& file) {
    std::vector<char> names(1 << 20);
    DWORD n = ::GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), file.c_str());
    int available = 0;
    char value[2048];
    for (const char* p = names.data(); p < names.data() + n && *p; p += strlen(p) + 1) {
        ::GetPrivateProfileStringA(p, "Loc", "", value, sizeof value, file.c_str());
        if (FileExists(value)) ++available;
    }
    return available;
}

// --- the GUI thread's stalls --------------------------------------------------

// A thread posts a timestamped message to a window of the GUI thread every
// 10 ms; the window notes how late each one arrives. The longest delay is the
// longest time the GUI thread handled no message.
class StallProbe {
public:
    StallProbe() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"AdBenchStallProbe";
        ::RegisterClassW(&wc);
        wnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        poster_ = std::thread([this] {
            while (!stop_) {
                ::PostMessageW(wnd_, WM_APP, static_cast<WPARAM>(Clock::now().time_since_epoch().count()), 0);
                ::Sleep(10);
            }
        });
    }
    ~StallProbe() {
        stop_ = true;
        poster_.join();
        ::DestroyWindow(wnd_);
    }
    void Reset() { worst_ = 0; }
    double WorstMs() const { return worst_; }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg != WM_APP) return ::DefWindowProcW(w, msg, wp, lp);
        auto* self = reinterpret_cast<StallProbe*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
        Clock::time_point sent{Clock::duration(static_cast<Clock::rep>(wp))};
        if (self) self->worst_ = std::max(self->worst_, Ms(Clock::now() - sent));
        return 0;
    }
    HWND wnd_ = nullptr;
    std::thread poster_;
    std::atomic<bool> stop_{false};
    double worst_ = 0;
};

// Handles messages one at a time until done() holds, so that a state that
// the next message would end (a first page, before the end of its scan) is
// seen; false after 60 s.
template <class F>
bool PumpUntil(TApplication&, F&& done) {
    auto start = Clock::now();
    while (!done()) {
        if (Clock::now() - start > std::chrono::seconds(60)) return false;
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

// Pumps messages for the given time.
void PumpFor(TApplication& app, int ms) {
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    PumpUntil(app, [&] { return Clock::now() >= end; });
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Programs with icons of their own: the executables Wine ships.
std::vector<std::string> SystemPrograms() {
    std::vector<std::string> list;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(L"C:\\windows\\system32\\*.exe", &fd);
    if (h == INVALID_HANDLE_VALUE) return list;
    do list.push_back("C:\\windows\\system32\\" + Narrow(fd.cFileName));
    while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    return list;
}

void WriteText(const std::string& file, const std::string& text) {
    HANDLE h = ::CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(h);
}

// n entries cycling through the given programs.
void WriteMixedCategory(const std::string& file, int n, const std::vector<std::string>& programs) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += Format("[Program %05d]\r\nLoc=%s\r\nDesc=Benchmark entry %d\r\n", i,
                       programs[static_cast<size_t>(i) % programs.size()].c_str(), i);
    WriteText(file, text);
}

void Select(TfrmAppdeck& form, const std::string& name) {
    form.lstCat->SetItemIndex(form.lstCat->Items().IndexOf(name));
    form.lstCatClick(form.lstCat);
}

// --- sections -----------------------------------------------------------------

// View 1: from the click until the first page shows (the scan on the worker
// hands over its first entries), until the scan has ended, and the GUI
// thread's longest stall meanwhile (the click included).
void View1Section(TApplication& app, const std::string& base, const std::string& exe) {
    std::printf("Choosing a category until view 1 shows its first page (median of 5, ms)\n");
    std::printf("%-10s %8s %12s %12s %14s %26s\n", "programs", "click", "first page", "scan ended", "worst stall",
                "profile API, key by key");
    WriteCategory(CategoryFileName(base, "View1One"), 1, exe);
    for (int n : {50, 500, 2000, 5000}) {
        std::string name = Format("Bench%d", n);
        std::string file = CategoryFileName(base, name);
        WriteCategory(file, n, exe);
        std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
        form->Show();
        PumpFor(app, 100);
        StallProbe probe;
        std::vector<double> click, page, ended, stall;
        for (int run = 0; run < 5; ++run) {
            Select(*form, "View1One");  // each run starts from another page
            PumpUntil(app, [&] { return !form->Worker->IsWorking(); });
            PumpFor(app, 30);
            probe.Reset();
            auto start = Clock::now();
            Select(*form, name);
            click.push_back(Ms(Clock::now() - start));
            PumpUntil(app, [&] { return !form->app[4]->Caption().empty(); });
            page.push_back(Ms(Clock::now() - start));
            PumpUntil(app, [&] { return !form->Worker->IsWorking(); });
            ended.push_back(Ms(Clock::now() - start));
            PumpFor(app, 30);
            stall.push_back(probe.WorstMs());
        }
        double peer = MedianMs(n > 500 ? 1 : 5, [&] { ReadWithProfileApi(file); });
        std::printf("%-10d %8.1f %12.1f %12.1f %14.1f %26.1f\n", n, Median(click), Median(page), Median(ended),
                    Median(stall), peer);
        form.reset();
    }
}

void ResolveSection(const std::string& base, const std::string& exe) {
    {
        TRegistry reg;
        reg.OpenKey("Software\\AppdeckBench", true);
        reg.WriteString("Path", exe);
    }
    ::SetEnvironmentVariableW(L"ADBENCH", L"C:\\Tools");
    struct Form {
        const char* what;
        std::string loc;
    } forms[] = {
        {"absolute", exe},
        {"relative", "tools\\app.exe"},
        {"environment", "%ADBENCH%\\app.exe"},
        {"registry", "HKCU>>Software\\AppdeckBench>>Path"},
    };
    std::printf("\nResolving 100k locations (ms)\n");
    for (const Form& f : forms) {
        size_t sink = 0;
        double ms = MedianMs(3, [&] {
            for (int i = 0; i < 100000; ++i) sink += ResolveLocation(f.loc, base).size();
        });
        std::printf("%-12s %10.1f  (%.2f us each)%s\n", f.what, ms, ms / 100.0, sink ? "" : " ");
    }
    TRegistry reg;
    reg.DeleteKey("Software\\AppdeckBench");
}

// Views 3 (report view, small icons) and 2 (large icons): the click itself,
// until the rows show, until the scan has ended, and the GUI thread's longest
// stall meanwhile.
void ScanSection(TApplication& app, const std::string& base) {
    std::vector<std::string> programs = SystemPrograms();
    std::printf("\nViews 3 and 2: choosing a category of N programs (%zu different programs cycled; median of 3, ms)\n",
                programs.size());
    std::printf("%-6s %-10s %10s %12s %12s %18s\n", "view", "programs", "click", "first rows", "scan ended",
                "worst GUI stall");
    for (int n : {500, 2000, 5000}) WriteMixedCategory(CategoryFileName(base, Format("Scan%d", n)), n, programs);
    WriteMixedCategory(CategoryFileName(base, "Scan1"), 1, programs);
    for (int view : {3, 2}) {
        WriteText(base + "Appdeck.ini", Format("[Settings]\r\nViewStyle=%d\r\n", view));
        std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
        form->Show();
        PumpFor(app, 200);
        StallProbe probe;
        for (int n : {500, 2000, 5000}) {
            std::vector<double> click, first, ended, stall;
            for (int run = 0; run < 3; ++run) {
                Select(*form, "Scan1");  // each run starts from another list
                PumpUntil(app, [&] { return !form->Worker->IsWorking() && form->lv2->ItemCount() == 1; });
                PumpFor(app, 50);
                probe.Reset();
                auto start = Clock::now();
                Select(*form, Format("Scan%d", n));
                click.push_back(Ms(Clock::now() - start));
                PumpUntil(app, [&] { return form->lv2->ItemCount() > 1; });
                first.push_back(Ms(Clock::now() - start));
                PumpUntil(app, [&] { return !form->Worker->IsWorking(); });
                ended.push_back(Ms(Clock::now() - start));
                PumpFor(app, 50);  // the probe's messages posted during the last stretch arrive
                stall.push_back(probe.WorstMs());
            }
            std::printf("%-6d %-10d %10.1f %12.1f %12.1f %18.1f\n", view, n, Median(click), Median(first),
                        Median(ended), Median(stall));
        }
        form.reset();
    }
    ::DeleteFileW(Widen(base + "Appdeck.ini").c_str());
}

// The tray menu for 2000 programs, as 20 categories of 100 and as 100 of 20:
// building it, then until the worker has fetched every program's icon with the
// GUI thread's longest stall meanwhile (the build included); then entering
// tray mode again with nothing changed.
void TraySection(TApplication& app, const std::string& root) {
    std::vector<std::string> programs = SystemPrograms();
    std::printf("\nTray menu for 2000 programs (median of 3, ms)\n");
    std::printf("%-12s %10s %10s %14s %22s %14s\n", "layout", "build", "icons in", "build stall",
                "stall while icons come", "tray again");
    struct Layout {
        int categories, each;
    } layouts[] = {{20, 100}, {100, 20}};
    for (const Layout& l : layouts) {
        std::string base = root + Format("tray%dx%d\\", l.categories, l.each);
        ForceDirectories(base + "ADCat");
        for (int c = 0; c < l.categories; ++c)
            WriteMixedCategory(CategoryFileName(base, Format("Category %03d", c)), l.each, programs);
        std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
        form->Show();
        PumpFor(app, 100);
        double build = MedianMs(3, [&] { form->CreateMenu(); });
        double icons = 0, stall = 0, arriving = 0;
        {
            StallProbe probe;
            PumpFor(app, 50);
            probe.Reset();
            auto start = Clock::now();
            form->CreateMenu();
            PumpFor(app, 20);  // the probe's messages posted during the build arrive
            stall = probe.WorstMs();
            probe.Reset();
            PumpUntil(app, [&] { return !form->trdMenuIcons->IsWorking(); });
            icons = Ms(Clock::now() - start);
            PumpFor(app, 50);
            arriving = probe.WorstMs();
        }
        form->SendToTray();  // builds once more: the catalogue counts as changed at start
        form->trayADClick(form->trayAD);
        double again = MedianMs(3, [&] {
            form->SendToTray();
            form->trayADClick(form->trayAD);
        });
        std::printf("%-12s %10.1f %10.1f %14.1f %22.1f %14.1f\n", Format("%d x %d", l.categories, l.each).c_str(),
                    build, icons, stall, arriving, again);
        form.reset();
    }
}

// Import Programs with 300 desktop shortcuts, 2000 MUI cache values and 200
// App Paths keys, all made here and removed again.
void ImportSection(TApplication& app, const std::string& base) {
    const std::string programs = base + "imported\\";
    ForceDirectories(programs);
    auto program = [&](const char* kind, int i) { return programs + Format("%s%04d.exe", kind, i); };
    std::string desktop = GetSpecialFolder(CSIDL_DESKTOPDIRECTORY);
    ::CoInitialize(nullptr);
    for (int i = 0; i < 300; ++i) {
        WriteText(program("link", i), "MZ");
        ComPtr<IShellLinkW> sl;
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, sl.PutVoid());
        sl->SetPath(Widen(program("link", i)).c_str());
        ComPtr<IPersistFile> pf;
        sl->QueryInterface(IID_IPersistFile, pf.PutVoid());
        pf->Save(Widen(desktop + Format("adbench %04d.lnk", i)).c_str(), TRUE);
    }
    {
        TRegistry mui;
        mui.OpenKey(MuiCacheKeys[1], true);
        for (int i = 0; i < 2000; ++i) {
            WriteText(program("mui", i), "MZ");
            mui.WriteString(program("mui", i), Format("Program %d", i));
        }
        TRegistry hklm;
        hklm.SetRootKey(HKEY_LOCAL_MACHINE);
        for (int i = 0; i < 200; ++i) {
            WriteText(program("ap", i), "MZ");
            hklm.OpenKey(std::string("\\") + AppPathsKey + Format("\\adbench%04d.exe", i), true);
            hklm.WriteString("", program("ap", i));
        }
    }
    std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
    form->Show();
    PumpFor(app, 100);
    std::unique_ptr<TADImpro> dialog(CreateForm<TADImpro>(nullptr, *form));
    dialog->Show();
    dialog->FormActivate(dialog.get());
    for (TCheckBox* box : {dialog->chkDesktop, dialog->chkMUI, dialog->chkAP}) box->SetChecked(true);
    // The three sources alone, then the whole import (sources, adding, the view).
    struct Finder {
        const char* what;
        std::vector<std::string> (*find)(const std::vector<std::string>&);
    } finders[] = {{"desktop shortcuts", &DesktopImports}, {"MUI cache", &MuiCacheImports}, {"App Paths", &AppPathImports}};
    std::printf("\nImport of 300 shortcuts, 2000 MUI cache values and 200 App Paths keys\n");
    for (const Finder& f : finders) {
        auto start = Clock::now();
        size_t found = f.find({}).size();
        std::printf("%-28s %10.1f ms (%zu files)\n", f.what, Ms(Clock::now() - start), found);
    }
    IO_COUNTERS before{}, after{};
    ::GetProcessIoCounters(::GetCurrentProcess(), &before);
    auto start = Clock::now();
    dialog->skBitBtn1->Click();
    double ms = Ms(Clock::now() - start);
    ::GetProcessIoCounters(::GetCurrentProcess(), &after);
    std::string file = CategoryFileName(base, ImportCategory);
    WIN32_FILE_ATTRIBUTE_DATA fa{};
    ::GetFileAttributesExW(Widen(file).c_str(), GetFileExInfoStandard, &fa);
    std::printf("%-28s %10.1f ms\n", "import (click to done)", ms);
    std::printf("%-28s %10d\n", "entries in the category", static_cast<int>(TIniFile(file).ReadSections().size()));
    std::printf("%-28s %10lu bytes\n", "category file", static_cast<unsigned long>(fa.nFileSizeLow));
    std::printf("%-28s %10llu bytes (%llu write calls; 0 when this Wine does not count)\n", "written by the process",
                static_cast<unsigned long long>(after.WriteTransferCount - before.WriteTransferCount),
                static_cast<unsigned long long>(after.WriteOperationCount - before.WriteOperationCount));
    dialog.reset();
    form.reset();
    for (int i = 0; i < 300; ++i) ::DeleteFileW(Widen(desktop + Format("adbench %04d.lnk", i)).c_str());
    // Every value a benchmark made, also those of a run that did not get here.
    std::vector<std::string> values;
    ListRegistryValueNames(HKEY_CURRENT_USER, MuiCacheKeys[1], values);
    TRegistry mui;
    if (mui.OpenKey(MuiCacheKeys[1], false))
        for (const std::string& v : values)
            if (v.find("\\adbench-") != std::string::npos) mui.DeleteValue(v);
    TRegistry hklm;
    hklm.SetRootKey(HKEY_LOCAL_MACHINE);
    for (int i = 0; i < 200; ++i) hklm.DeleteKey(std::string("\\") + AppPathsKey + Format("\\adbench%04d.exe", i));
}

// Start until the program's first window is shown and painted (the window is
// visible and the program waits for input), for a copy of Appdeck with 200
// categories and for Wine's Notepad, alternating, each run ended afterwards.
double StartToFirstPaint(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = Widen(commandLine);
    auto start = Clock::now();
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : Widen(folder).c_str(), &si, &pi))
        return -1;
    struct Find {
        DWORD pid;
        bool shown = false;
    } find{pi.dwProcessId};
    double ms = -1;
    while (Clock::now() - start < std::chrono::seconds(30)) {
        ::EnumWindows(
            [](HWND w, LPARAM lp) -> BOOL {
                auto* f = reinterpret_cast<Find*>(lp);
                DWORD pid = 0;
                ::GetWindowThreadProcessId(w, &pid);
                if (pid == f->pid && ::IsWindowVisible(w)) f->shown = true;
                return !f->shown;
            },
            reinterpret_cast<LPARAM>(&find));
        if (find.shown && ::WaitForInputIdle(pi.hProcess, 0) == 0) {
            ms = Ms(Clock::now() - start);
            break;
        }
        ::Sleep(1);
    }
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return ms;
}

void StartSection(const std::string& root) {
    std::string folder = root + "start\\";
    ForceDirectories(folder + "ADCat");
    std::vector<std::string> programs = SystemPrograms();
    for (int c = 0; c < 200; ++c) WriteMixedCategory(CategoryFileName(folder, Format("Category %03d", c)), 10, programs);
    std::string exe = ExtractFilePath(ModuleFileName()) + "Appdeck.exe";
    std::string copy = folder + "Appdeck.exe";
    ::CopyFileW(Widen(exe).c_str(), Widen(copy).c_str(), FALSE);
    // The same program without a catalogue shows what the 200 files cost.
    std::string bare = root + "start-bare\\";
    ForceDirectories(bare);
    std::string bareCopy = bare + "Appdeck.exe";
    ::CopyFileW(Widen(exe).c_str(), Widen(bareCopy).c_str(), FALSE);
    std::vector<double> ours, empty, peer;
    for (int run = 0; run < 5; ++run) {
        ours.push_back(StartToFirstPaint("\"" + copy + "\"", folder));
        peer.push_back(StartToFirstPaint("notepad.exe", ""));
        empty.push_back(StartToFirstPaint("\"" + bareCopy + "\"", bare));
    }
    std::printf("\nStart to first paint (median of 5, ms; runs alternate)\n");
    auto row = [](const char* what, const std::vector<double>& runs) {
        std::printf("%-30s %8.0f   (runs:", what, Median(runs));
        for (double v : runs) std::printf(" %.0f", v);
        std::printf(")\n");
    };
    row("Appdeck, 200 categories", ours);
    row("Appdeck, no catalogue", empty);
    row("Wine Notepad", peer);
    std::printf("ratio to Notepad %.2f (no catalogue %.2f)\n", Median(ours) / Median(peer), Median(empty) / Median(peer));
}

// Where start-up's time goes inside a fresh process, for the window with 200
// categories: from the process's creation to its entry, the skin load (the
// steps the window takes for it, done first and alone, so the window's own
// load finds the skin made), the window's construction (its controls),
// FormCreate, and showing it until its first paint has ended. Each run is a
// new process (this program with "startparts-child"); median of 5.
constexpr int kStartParts = 5;
const char* const kStartPartNames[kStartParts] = {"process creation to entry", "skin load (built-in skin)",
                                                  "window construction (controls)", "FormCreate",
                                                  "show until the first paint has ended"};

void StartPartsChild(TApplication& app, const std::string& folder, const std::string& out) {
    double parts[kStartParts] = {};
    FILETIME created, exited, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    parts[0] = static_cast<double>(value(now) - value(created)) / 10000.0;
    auto start = Clock::now();
    skin::TSkinManager manager(nullptr);
    manager.SetActive(false);
    manager.SetSkinDirectory("c:\\Skins");
    manager.SetExtendedBorders(true);
    manager.SetBrightness(-1);
    skin::RegisterBuiltInSkin(manager);
    manager.SetSkinName(skin::kBuiltInSkinName);
    manager.SetActive(true);
    parts[1] = Ms(Clock::now() - start);
    start = Clock::now();
    std::unique_ptr<TfrmAppdeck> form(new TfrmAppdeck(nullptr, folder));
    auto built = Clock::now();
    form->DoCreate();
    auto created2 = Clock::now();
    form->Show();
    ::UpdateWindow(form->Handle());
    app.ProcessMessages();
    auto shown = Clock::now();
    parts[2] = Ms(built - start);
    parts[3] = Ms(created2 - built);
    parts[4] = Ms(shown - created2);
    std::string text;
    for (double p : parts) text += Format("%.1f\n", p);
    WriteText(out, text);
}

void StartPartsSection(const std::string& root) {
    std::string folder = root + "startparts\\";
    ForceDirectories(folder + "ADCat");
    std::vector<std::string> programs = SystemPrograms();
    for (int c = 0; c < 200; ++c) WriteMixedCategory(CategoryFileName(folder, Format("Category %03d", c)), 10, programs);
    std::string out = root + "startparts.txt";
    std::vector<double> runs[kStartParts];
    for (int run = 0; run < 5; ++run) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        // No "\" before a closing quote: it would escape the quote.
        std::wstring cmd = Widen("\"" + ModuleFileName() + "\" startparts-child \"" +
                                 ExcludeTrailingPathDelimiter(folder) + "\" \"" + out + "\"");
        if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        ::WaitForSingleObject(pi.hProcess, 60000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        TStringList lines;
        try {
            lines.LoadFromFile(out);
        } catch (const Exception&) {
            continue;
        }
        for (int p = 0; p < kStartParts && p < lines.Count(); ++p) runs[p].push_back(std::atof(lines[p].c_str()));
    }
    std::printf("\nStart-up inside a fresh process, 200 categories (median of 5, ms)\n");
    for (int p = 0; p < kStartParts; ++p)
        if (!runs[p].empty()) std::printf("%-44s %8.1f\n", kStartPartNames[p], Median(runs[p]));
}

// Where the time of a scan and of the tray menu goes: the per-program steps
// alone, 500 times over the cycled programs, next to the shell's shared
// system image index (no icon of its own per row).
void PartsSection() {
    std::vector<std::string> programs = SystemPrograms();
    const int n = 500;
    auto each = [&](auto step) {
        auto start = Clock::now();
        for (int i = 0; i < n; ++i) step(programs[static_cast<size_t>(i) % programs.size()]);
        return Ms(Clock::now() - start) / n * 1000.0;
    };
    std::vector<OwnedIcon> icons;
    double shell = each([&](const std::string& f) { icons.push_back(ShellIcon(f, TShellIconSize::Small)); });
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 64);
    size_t k = 0;
    double add = each([&](const std::string&) { ::ImageList_ReplaceIcon(list, -1, icons[k++].Get()); });
    ::ImageList_Destroy(list);
    k = 0;
    double bitmap = each([&](const std::string&) { OwnedBitmap b = IconToBitmap(IconRef(icons[k++].Get()), 16); });
    double index = each([&](const std::string& f) {
        SHFILEINFOW info{};
        ::SHGetFileInfoW(Widen(f).c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    });
    std::printf("\nPer program (us, mean of %d)\n", n);
    std::printf("%-44s %8.0f\n", "shell icon, small (scan worker, tray menu)", shell);
    std::printf("%-44s %8.0f\n", "image list: add the icon (GUI thread, scan)", add);
    std::printf("%-44s %8.0f\n", "icon to menu bitmap (tray menu)", bitmap);
    std::printf("%-44s %8.0f\n", "system image index only (the alternative)", index);
}

bool Wanted(int argc, char** argv, const char* section) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], section) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    TApplication application;
    application.Initialize();
    if (argc == 4 && std::strcmp(argv[1], "startparts-child") == 0) {
        StartPartsChild(application, IncludeTrailingPathDelimiter(argv[2]), argv[3]);
        return 0;
    }
    application.Title = "Appdeck benchmark";
    std::string base = TempFolder();
    std::string exe = ModuleFileName();
    if (Wanted(argc, argv, "view1")) View1Section(application, base, exe);
    if (Wanted(argc, argv, "resolve")) ResolveSection(base, exe);
    if (Wanted(argc, argv, "scan")) ScanSection(application, base);
    if (Wanted(argc, argv, "tray")) TraySection(application, base);
    if (Wanted(argc, argv, "import")) ImportSection(application, base);
    if (Wanted(argc, argv, "start")) StartSection(base);
    if (Wanted(argc, argv, "startparts")) StartPartsSection(base);
    if (Wanted(argc, argv, "parts")) PartsSection();
    // The benchmark's folder and everything the sections made in it.
    std::wstring folder = Widen(ExcludeTrailingPathDelimiter(base)) + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = folder.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
    std::fflush(stdout);
    return 0;
}
