// Launcher benchmark, run under Wine (scripts/bench-launcher.sh): how long the
// main window takes from choosing a category of N programs until view 1 shows
// its first page, next to reading the same entries the old way (one profile-API
// call per key); and how fast locations of each form resolve.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Catalogue.h"
#include "app/forms/TfrmAppdeck.h"
#include "framework/Registry.h"
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

}  // namespace

int main() {
    TApplication application;
    application.Initialize();
    application.Title = "Appdeck benchmark";
    std::string base = TempFolder();
    std::string exe = ModuleFileName();

    std::printf("Choosing a category until view 1 shows its first page (median of 5, ms)\n");
    std::printf("%-10s %12s %26s %8s\n", "programs", "Appdeck", "profile API, key by key", "ratio");
    for (int n : {50, 500, 2000}) {
        std::string name = Format("Bench%d", n);
        std::string file = CategoryFileName(base, name);
        WriteCategory(file, n, exe);
        std::unique_ptr<TfrmAppdeck> form(CreateForm<TfrmAppdeck>(nullptr, base));
        form->Show();
        application.ProcessMessages();
        double ours = MedianMs(5, [&] {
            form->lstCat->SetItemIndex(form->lstCat->Items().IndexOf(name));
            form->lstCatClick(form->lstCat);
        });
        double peer = MedianMs(n > 500 ? 1 : 5, [&] { ReadWithProfileApi(file); });
        std::printf("%-10d %12.1f %26.1f %7.1fx\n", n, ours, peer, peer / ours);
        form.reset();
    }

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
    return 0;
}
