// The Update Checker against a real HTTP server on 127.0.0.1 run by the test
// (a Winsock listener on its own thread), each case on its own path: the same
// version, a newer one with and without a link (and the hand cursor over a
// link), a link that is no web address, replies without the version, a
// refused port, no connection, and a stale reply that cannot be removed. Also
// the main window's button.
// Winsock 2 must come before <windows.h>, which the window's header brings.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "app/forms/TfrmUCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "app/forms/MainWindowTestSupport.h"
#include "base/WinText.h"
#include "framework/Handles.h"
#include "testsupport/GuiTest.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

// A minimal HTTP/1.1 server on 127.0.0.1 (a port the system picks): each
// connection gets one reply, by the request's path, and is closed.
class LoopbackHttpServer {
public:
    struct Reply {
        int status = 200;
        std::string body;
    };

    explicit LoopbackHttpServer(std::map<std::string, Reply> replies) : replies_(std::move(replies)) {
        WSADATA data;
        started_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof(addr);
        if (listener_ == INVALID_SOCKET || ::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
            ::listen(listener_, 8) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
            return;
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoopbackHttpServer() {
        stopping_ = true;
        if (listener_ != INVALID_SOCKET) ::closesocket(listener_);  // ends the accept
        if (thread_.joinable()) thread_.join();
        if (started_) ::WSACleanup();
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // "http://127.0.0.1:<port>" and a path below it: a server base address.
    std::string Base(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int Port() const { return port_; }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

    // A port nothing listens on: bound once, then closed again.
    static int ClosedPort() {
        SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int len = sizeof(addr);
        ::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
        ::closesocket(s);
        return ntohs(addr.sin_port);
    }

private:
    void Serve() noexcept {
        while (!stopping_) {
            SOCKET c = ::accept(listener_, nullptr, nullptr);
            if (c == INVALID_SOCKET) return;
            try {
                Answer(c);
            } catch (...) {
            }
            ::closesocket(c);
        }
    }
    void Answer(SOCKET c) {
        std::string request;
        char buf[1024];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int n = ::recv(c, buf, sizeof(buf), 0);
            if (n <= 0) return;
            request.append(buf, static_cast<size_t>(n));
        }
        std::string line = request.substr(0, request.find("\r\n"));  // "GET /path HTTP/1.1"
        size_t a = line.find(' '), b = line.rfind(' ');
        std::string path = a != std::string::npos && b > a ? line.substr(a + 1, b - a - 1) : std::string();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(line.substr(0, a) + " " + path);
        }
        auto it = replies_.find(path);
        Reply reply = it != replies_.end() ? it->second : Reply{404, "not found"};
        std::string text = "HTTP/1.1 " + std::to_string(reply.status) + (reply.status == 200 ? " OK" : " Not Found") +
                           "\r\nContent-Type: text/plain\r\nCache-Control: no-store\r\nConnection: close\r\n"
                           "Content-Length: " + std::to_string(reply.body.size()) + "\r\n\r\n" + reply.body;
        ::send(c, text.data(), static_cast<int>(text.size()), 0);
        ::shutdown(c, SD_SEND);
    }

    std::map<std::string, Reply> replies_;
    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::string> requests_;
};

// Whether the label sets the hand cursor when the mouse is over it.
bool HandCursorOver(TWinControl& label) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    ::SendMessageW(label.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.Handle()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor() == ::LoadCursorW(nullptr, IDC_HAND);
}

const char* const kFailedMessage =
    "Update Check failed!\r\rPlease check your Internet Connection or Choose another Server!";

class UpdateCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The reply goes to the temporary folder: this test's own.
        wchar_t old[MAX_PATH] = {};
        hadTmp_ = ::GetEnvironmentVariableW(L"TMP", old, MAX_PATH) > 0;
        oldTmp_ = old;
        ::SetEnvironmentVariableW(L"TMP", Widen(temp.Folder()).c_str());
        savedBox_ = Application->OnMessageBox;
        savedUrl_ = Application->OnOpenURL;
        Application->OnMessageBox = [this](const std::string& text, const std::string&, UINT flags) {
            boxes.push_back(text);
            boxFlags.push_back(flags);
            return IDOK;
        };
        Application->OnOpenURL = [this](const std::string& url) { opened.push_back(url); };
    }
    void TearDown() override {
        form.reset();
        test::PumpPending();
        Application->OnMessageBox = savedBox_;
        Application->OnOpenURL = savedUrl_;
        ::SetEnvironmentVariableW(L"TMP", hadTmp_ ? oldTmp_.c_str() : nullptr);
    }
    // The window with server 2 at base, showing the running version 2016.8.
    TfrmUCheck& Open(const std::string& base) {
        TUpdateServers servers = {"http://127.0.0.1:1", base, "http://127.0.0.1:3"};
        form.reset(CreateForm<TfrmUCheck>(nullptr, servers));
        form->Tag = 39;
        form->lblCurrent->SetCaption("2016.8");
        form->Show();
        test::PumpPending();
        return *form;
    }
    // Checks against base through a real click on the button.
    // The result shows once the reply has arrived.
    TfrmUCheck& Check(const std::string& base) {
        TfrmUCheck& f = Open(base);
        test::SendClick(f.BitBtn1->Handle(), 5, 5);
        EXPECT_TRUE(test::PumpUntil([&] { return f.lblRes->Visible(); }, 20000));
        test::PumpPending();
        return f;
    }
    void ExpectFailure(TfrmUCheck& f, const std::string& message, const std::string& what) {
        EXPECT_TRUE(f.lblRes->Visible()) << what;
        EXPECT_EQ(f.lblRes->Caption(), "Update Check failed!") << what;
        EXPECT_EQ(f.lblRes->Font().Color(), clRed) << what;
        EXPECT_EQ(f.lblRes->HelpKeyword, "") << what;
        EXPECT_EQ(f.lblLatest->Caption(), "-") << what;
        ASSERT_EQ(boxes.size(), 1u) << what;  // one failure, one message
        EXPECT_EQ(boxes[0], message) << what;
        EXPECT_EQ(boxFlags[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR)) << what;
    }

    test::TempDir temp;
    std::unique_ptr<TfrmUCheck> form;
    std::vector<std::string> boxes;
    std::vector<UINT> boxFlags;
    std::vector<std::string> opened;

private:
    bool hadTmp_ = false;
    std::wstring oldTmp_;
    decltype(TApplication::OnMessageBox) savedBox_;
    decltype(TApplication::OnOpenURL) savedUrl_;
};

TEST_F(UpdateCheckerTest, StartsWithServerTwoAndTheDeadServersDisabled) {
    TfrmUCheck& f = Open("http://127.0.0.1:2");
    EXPECT_EQ(f.Caption(), "Update Checker");
    EXPECT_EQ(f.txtURL->Text(), "http://127.0.0.1:2/update.php");
    EXPECT_TRUE(f.srv2->Down());
    EXPECT_TRUE(f.srv2->Enabled());
    EXPECT_FALSE(f.srv1->Enabled());
    EXPECT_FALSE(f.srv4->Enabled());
    EXPECT_EQ(f.srv1->Hint, "Server 1 : http://127.0.0.1:1 (DEAD)");
    EXPECT_EQ(f.srv2->Hint, "Server 2 : http://127.0.0.1:2");
    EXPECT_EQ(f.srv4->Hint, "Server 3 : http://127.0.0.1:3 (DEAD)");
    EXPECT_EQ(f.lblLatest->Caption(), "-");
    EXPECT_FALSE(f.lblRes->Visible());
    f.srv4->HelpKeyword = "http://127.0.0.1:4";
    f.ServerClick(f.srv4);
    EXPECT_EQ(f.txtURL->Text(), "http://127.0.0.1:4/update.php");
}

TEST_F(UpdateCheckerTest, TheSameVersionHasNoUpdatesAndANewerOneOffersItsLink) {
    LoopbackHttpServer server({
        {"/same/update.php", {200, "[39]\r\nVersion=2016.8\r\nDLink=https://dl.example.org/same.zip\r\n"}},
        {"/newer/update.php", {200, "[38]\r\nVersion=1.0\r\n[39]\r\nVersion=2016.10\r\nDLink=https://dl.example.org/a.zip\r\n"}},
    });
    TfrmUCheck& same = Check(server.Base("/same"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(same.lblLatest->Caption(), "2016.8");
    EXPECT_TRUE(same.lblRes->Visible());
    EXPECT_EQ(same.lblRes->Caption(), "NO Updates Available");
    EXPECT_EQ(same.lblRes->Font().Color(), clBlue);
    test::SendClick(same.lblRes->Handle(), 3, 3);
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(HandCursorOver(*same.lblRes));

    TfrmUCheck& newer = Check(server.Base("/newer"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(newer.lblLatest->Caption(), "2016.10");
    EXPECT_EQ(newer.lblRes->Caption(), "NEW Updates Available, Click here to Download!");
    EXPECT_EQ(newer.lblRes->Font().Color(), clGreen);
    EXPECT_TRUE(HandCursorOver(*newer.lblRes));
    test::SendClick(newer.lblRes->Handle(), 3, 3);
    EXPECT_EQ(opened, std::vector<std::string>{"https://dl.example.org/a.zip"});
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"GET /same/update.php", "GET /newer/update.php"}));
}

TEST_F(UpdateCheckerTest, ANewerVersionsLinkIsOpenedOnlyWhenItIsAWebAddress) {
    LoopbackHttpServer server({
        {"/nolink/update.php", {200, "[39]\r\nVersion=2017\r\n"}},
        {"/file/update.php", {200, "[39]\r\nVersion=2017\r\nDLink=C:\\Windows\\system32\\calc.exe\r\n"}},
    });
    for (const char* path : {"/nolink", "/file"}) {
        TfrmUCheck& f = Check(server.Base(path));
        EXPECT_EQ(f.lblRes->Caption(), "NEW Updates Available, Click here to Download!") << path;
        test::SendClick(f.lblRes->Handle(), 3, 3);
        EXPECT_TRUE(opened.empty()) << path;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(UpdateCheckerTest, RepliesWithoutAVersionFail) {
    LoopbackHttpServer server({
        {"/empty/update.php", {200, ""}},
        {"/other/update.php", {200, "[40]\r\nVersion=2017\r\n"}},
        {"/html/update.php", {200, "<html><body>maintenance</body></html>"}},
        {"/blank/update.php", {200, "[39]\r\nVersion=\r\nDLink=https://x.org/\r\n"}},
    });
    for (const char* path : {"/missing", "/empty", "/other", "/html", "/blank"}) {
        boxes.clear();
        boxFlags.clear();
        ExpectFailure(Check(server.Base(path)), kFailedMessage, path);
    }
}

// The reply is fetched beside the window: the click returns at once (the
// window keeps answering) and the result follows; a window closed while a
// check runs stops it and shows nothing.
TEST_F(UpdateCheckerTest, TheDownloadNeverHoldsTheWindow) {
    LoopbackHttpServer server({{"/newer/update.php", {200, "[39]\r\nVersion=2017\r\nDLink=https://x.org/a\r\n"}}});
    TfrmUCheck& f = Open(server.Base("/newer"));
    test::SendClick(f.BitBtn1->Handle(), 5, 5);
    EXPECT_FALSE(f.lblRes->Visible());  // not yet: the click did not wait for the server
    EXPECT_EQ(f.lblLatest->Caption(), "-");
    ASSERT_TRUE(test::PumpUntil([&] { return f.lblRes->Visible(); }, 20000));
    EXPECT_EQ(f.lblLatest->Caption(), "2017");
    EXPECT_EQ(f.lblRes->Caption(), "NEW Updates Available, Click here to Download!");
    EXPECT_TRUE(boxes.empty());

    Open(server.Base("/newer"));
    test::SendClick(form->BitBtn1->Handle(), 5, 5);
    form.reset();
    test::PumpPending();
    EXPECT_TRUE(boxes.empty());
}

TEST_F(UpdateCheckerTest, ARefusedConnectionFails) {
    ExpectFailure(Check("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::ClosedPort())), kFailedMessage,
                  "refused");
}

TEST_F(UpdateCheckerTest, NoConnectionSaysSoAndAsksNoServer) {
    LoopbackHttpServer server({{"/up/update.php", {200, "[39]\r\nVersion=2017\r\n"}}});
    TfrmUCheck& f = Open(server.Base("/up"));
    f.IsConnected = [] { return false; };
    test::SendClick(f.BitBtn1->Handle(), 5, 5);
    test::PumpPending();
    ExpectFailure(f, "You're not Connected to Internet!", "not connected");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateCheckerTest, AStaleReplyThatCannotBeRemovedIsNotRead) {
    LoopbackHttpServer server({{"/stale/update.php", {200, "[39]\r\nVersion=2016.8\r\n"}}});
    const std::string stale = temp.Write("update.ini", "[39]\r\nVersion=2099\r\nDLink=https://old.example.org/\r\n");
    // Held open without delete sharing: it can be neither removed nor replaced.
    OwnedFile hold(::CreateFileW(Widen(stale).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
    ASSERT_TRUE(hold);
    TfrmUCheck& f = Check(server.Base("/stale"));
    ExpectFailure(f, kFailedMessage, "stale");
    hold.Reset();

    // Once it can be removed, the fresh reply replaces it.
    boxes.clear();
    TfrmUCheck& g = Check(server.Base("/stale"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(g.lblRes->Caption(), "NO Updates Available");
    EXPECT_EQ(test::ReadFileBytes(stale), "[39]\r\nVersion=2016.8\r\n");
}

TEST(UpdateButtonTest, TheMainWindowsButtonOpensTheCheckerForProduct39AndItsVersion) {
    test::OneProgramMainWindow main;
    TfrmAppdeck& f = main.Open("Tool", "Loc=" + test::FixturePath("echoargs.exe") + "\r\n");
    ASSERT_TRUE(f.btnUpdate->Enabled());
    bool modal = false;
    intptr_t tag = 0;
    std::string current;
    TColor title = clNone;
    {
        test::WhileModal act([&] {
            auto* dialog = test::WhileModal::ActiveForm<TfrmUCheck>();
            if (!dialog) return false;
            modal = dialog->Modal();
            tag = dialog->Tag;
            current = dialog->lblCurrent->Caption();
            title = dialog->pnlLatest->Color();
            test::PostKey(dialog->BitBtn1->Handle(), VK_ESCAPE);
            return true;
        });
        f.btnUpdate->Click();
    }
    EXPECT_TRUE(modal);
    EXPECT_EQ(tag, 39);
    EXPECT_EQ(current, "2016.8");
    EXPECT_EQ(title, f.back->Color());
}

}  // namespace
}  // namespace ad
