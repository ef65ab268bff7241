// The reply's download through the URL moniker API, and reading its file.
#include "app/forms/UpdateCheck.h"

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

#include <cstdint>
#include <vector>

#include "base/Files.h"
#include "base/StrUtils.h"
#include "base/WinText.h"
#include "framework/ComScope.h"
#include "framework/SysUtils.h"

namespace ad {

const TUpdateServers& DefaultUpdateServers() {
    static const TUpdateServers servers = {"http://update1.appdeck.example.org", "http://update.appdeck.example.org",
                                           "http://update3.appdeck.example.org"};
    return servers;
}

std::string UpdateTempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathW(MAX_PATH + 1, path);
    if (n > 0 && n <= MAX_PATH) return IncludeTrailingPathDelimiter(Narrow(path));
    ::CreateDirectoryW(L"C:\\Windows\\Temp", nullptr);
    return "C:\\Windows\\Temp\\";
}

namespace {

// Tells the download to stop once stop() answers true: the moniker asks at
// every step of the transfer.
class StopCallback final : public IBindStatusCallback {
public:
    explicit StopCallback(const std::function<bool()>& stop) : stop_(stop) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the caller's stack for the whole (synchronous) download.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD*, BINDINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

private:
    HRESULT Answer() const { return stop_ && stop_() ? E_ABORT : S_OK; }
    const std::function<bool()>& stop_;
};

// The internet libraries are loaded when the update check first needs them:
// linked in, they (and what they load) cost every start of the program about
// 20-30 ms under Wine. Only from the system folder: a portable program's own
// folder may hold anything. Null when the library or function is missing.
template <class F>
F InternetFunction(const wchar_t* library, const char* name) {
    HMODULE module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);  // kept for the process
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

bool DownloadUpdateReply(const std::string& url, const std::string& fileName, const std::function<bool()>& stop) {
    const std::wstring file = Widen(fileName);
    if (!::DeleteFileW(file.c_str()) && ::GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    using DeleteCacheEntry = BOOL(WINAPI*)(LPCWSTR);
    using Download = HRESULT(WINAPI*)(LPUNKNOWN, LPCWSTR, LPCWSTR, DWORD, LPBINDSTATUSCALLBACK);
    static const auto deleteCacheEntry = InternetFunction<DeleteCacheEntry>(L"wininet.dll", "DeleteUrlCacheEntryW");
    static const auto download = InternetFunction<Download>(L"urlmon.dll", "URLDownloadToFileW");
    if (!download) return false;
    const std::wstring address = Widen(url);
    if (deleteCacheEntry) deleteCacheEntry(address.c_str());  // a cached reply would hide a newer one
    TComScope com;  // COM for the calling thread while the download runs on it
    StopCallback callback(stop);
    const bool done = download(nullptr, address.c_str(), file.c_str(), 0, &callback) == S_OK;
    if (done && stop && stop()) return false;
    return done;
}

bool InternetConnected() {
    using ConnectedState = BOOL(WINAPI*)(LPDWORD, DWORD);
    static const auto connected = InternetFunction<ConnectedState>(L"wininet.dll", "InternetGetConnectedState");
    DWORD flags = 0;
    return connected && connected(&flags, 0) != FALSE;
}

TUpdateReply ReadUpdateReply(const std::string& fileName, const std::string& section) {
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(fileName);
    } catch (const Exception&) {
        return TUpdateReply{};  // no reply: no version
    }
    TUpdateReply reply =
        ParseUpdateReply(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), section);
    if (reply.Encoding != TTextFileEncoding::Ansi) {
        reply.Version = Narrow(Utf8ToWide(reply.Version));
        reply.DLink = Narrow(Utf8ToWide(reply.DLink));
    }
    return reply;
}

}  // namespace ad
