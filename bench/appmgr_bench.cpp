// Application Manager benchmark, run under Wine (scripts/bench-launcher.sh):
// how long its grid fill takes for 10,000 programs in 100 categories (every
// entry), and for the available and the missing entries of one category of
// 2,000, and the window from creation until it shows the filled grid.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Catalogue.h"
#include "app/LauncherHost.h"
#include "app/forms/TfrmSD.h"
#include "base/Files.h"
#include "bench/BenchTiming.h"
#include "framework/SysUtils.h"
#include "skin/engine/win/SkinManager.h"

using namespace ad;
using ad::bench::Best;
using ad::bench::Millis;

namespace {

// The main window as the Application Manager sees it.
class BenchHost : public ILauncherHost {
public:
    BenchHost(std::string base, std::vector<std::string> categories)
        : base_(std::move(base)), categories_(std::move(categories)) {}
    std::string BaseFolder() const override { return base_; }
    std::string SelectedCategory() override { return selected; }
    std::vector<std::string> CategoryNames() override { return categories_; }
    void ReloadCategory() override {}
    void RequestReload() override {}
    void SelectCategory() override {}
    void CountAvailability() override {}
    void PerformDD(const std::string&) override {}
    void AddPrograms(const std::vector<std::string>&) override {}
    void ListAndSelectCategory(const std::string&) override {}
    void MarkCatalogueChanged() override {}
    skin::TSkinManager& SkinManager() override { return skin_; }
    void SetReadOnlyView(bool) override {}
    std::string selected;

private:
    std::string base_;
    std::vector<std::string> categories_;
    skin::TSkinManager skin_{nullptr};
};

std::string TempFolder() {
    wchar_t buf[MAX_PATH + 1];
    DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    std::string base = Narrow(std::wstring(buf, n)) + Format("adbench-sd-%lu\\", ::GetCurrentProcessId());
    ForceDirectories(base + "ADCat");
    return base;
}

// Entries numbered from first; every other one's file exists.
void WriteCategory(const std::string& file, int first, int n, const std::string& exe) {
    std::string text;
    for (int i = first; i < first + n; ++i)
        text += Format("[Program %05d]\r\nDesc=Benchmark entry %d\r\nLoc=%s\r\nParam=-n %d\r\nHBcmd=p%d\r\n", i, i,
                       i % 2 ? exe.c_str() : "C:\\nowhere\\gone.exe", i, i);
    SaveFileAtomically(file, text.data(), text.size());
}

}  // namespace

int main() {
    std::string base = TempFolder(), exe = ModuleFileName();
    TApplication application;
    application.Initialize();
    std::vector<std::string> categories;
    for (int c = 0; c < 100; ++c) {
        categories.push_back(Format("Category %03d", c));
        WriteCategory(CategoryFileName(base, categories.back()), c * 100, 100, exe);
    }
    WriteCategory(CategoryFileName(base, "Large"), 0, 2000, exe);
    BenchHost host(base, categories);
    host.selected = "Large";

    std::printf("Application Manager fill (best of 5, ms)\n");
    auto fill = [&](int mode, const char* what) {
        std::unique_ptr<TfrmSD> form(CreateForm<TfrmSD>(nullptr, host));
        form->Tag = mode;
        form->Show();
        application.ProcessMessages();
        double ms = Best(5, [&] {
            auto start = std::chrono::steady_clock::now();
            form->FillGrid();
            return Millis(start);
        });
        std::printf("%-52s %8.1f  (%d rows)\n", what, ms, form->SDGrid->Grid.RowCount());
    };
    fill(TfrmSD::mdAll, "all, 10,000 programs in 100 categories");
    fill(TfrmSD::mdAvailable, "available of a category of 2,000");
    fill(TfrmSD::mdNotAvailable, "missing of a category of 2,000");

    double shown = Best(3, [&] {
        auto start = std::chrono::steady_clock::now();
        std::unique_ptr<TfrmSD> form(CreateForm<TfrmSD>(nullptr, host));
        form->Show();
        application.ProcessMessages();  // the deferred fill, then the first paint
        ::UpdateWindow(form->Handle());
        return Millis(start);
    });
    std::printf("%-52s %8.1f\n", "window created, filled (10,000) and painted", shown);
    for (const std::string& c : categories) ::DeleteFileW(Widen(CategoryFileName(base, c)).c_str());
    ::DeleteFileW(Widen(CategoryFileName(base, "Large")).c_str());
    ::RemoveDirectoryW(Widen(base + "ADCat").c_str());
    ::RemoveDirectoryW(Widen(base).c_str());
    return 0;
}
