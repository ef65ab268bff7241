// TRegistry against the real registry, inside a key of its own under HKCU that
// is removed again after every test.
#include "framework/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "framework/SysUtils.h"

namespace ad {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = Format("Software\\AppdeckTest-%lu", static_cast<unsigned long>(::GetCurrentProcessId()));
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(base_).c_str());
    }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(base_).c_str());
        EXPECT_FALSE(RawKeyExists(base_));
    }
    static bool RawKeyExists(const std::string& path) {
        OwnedKey k;
        return ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_READ, k.Put()) == ERROR_SUCCESS;
    }
    // Stores raw bytes under the test key, bypassing TRegistry.
    void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        OwnedKey k;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(base_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    k.Put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(k.Get(), Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    static std::vector<std::string> Sorted(std::vector<std::string> v) {
        std::sort(v.begin(), v.end());
        return v;
    }

    std::string base_;
};

TEST_F(RegistryTest, DefaultsAndOpeningCreatesOnlyWhenAsked) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg.Access, static_cast<REGSAM>(KEY_ALL_ACCESS));
    EXPECT_EQ(reg.CurrentKey(), nullptr);

    EXPECT_FALSE(reg.OpenKey(base_, false));
    EXPECT_EQ(reg.LastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_FALSE(reg.KeyExists(base_));

    ASSERT_TRUE(reg.OpenKey(base_, true));
    EXPECT_EQ(reg.LastError(), ERROR_SUCCESS);
    EXPECT_NE(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), base_);
    EXPECT_TRUE(RawKeyExists(base_));
    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.KeyExists(base_));
}

TEST_F(RegistryTest, RelativeAndAbsolutePaths) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\" + base_, true));
    EXPECT_EQ(reg.CurrentPath(), base_);  // stored without the leading "\"

    // Relative to the open key.
    ASSERT_TRUE(reg.OpenKey("Child\\Grand", true));
    EXPECT_EQ(reg.CurrentPath(), base_ + "\\Child\\Grand");
    EXPECT_TRUE(RawKeyExists(base_ + "\\Child\\Grand"));
    reg.WriteString("where", "grand");

    // CreateKey and KeyExists follow the same rule and leave the current key alone.
    EXPECT_TRUE(reg.CreateKey("Deeper"));
    EXPECT_TRUE(reg.KeyExists("Deeper"));
    EXPECT_TRUE(reg.KeyExists("\\" + base_ + "\\Child\\Grand\\Deeper"));
    EXPECT_FALSE(reg.KeyExists("Child"));  // relative: ...\Grand\Child does not exist
    EXPECT_EQ(reg.CurrentPath(), base_ + "\\Child\\Grand");

    // Absolute again: from the root, not from the open key.
    ASSERT_TRUE(reg.OpenKey("\\" + base_ + "\\Child", false));
    EXPECT_EQ(reg.CurrentPath(), base_ + "\\Child");
    ASSERT_TRUE(reg.OpenKey("Grand", false));
    EXPECT_EQ(reg.ReadString("where"), "grand");
}

TEST_F(RegistryTest, ChangingTheRootClosesTheKey) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.KeyExists(base_));  // the test key lives under HKCU only
    EXPECT_TRUE(reg.OpenKeyReadOnly("Software"));
}

TEST_F(RegistryTest, StringRoundTrips) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    const std::string cases[] = {
        "",
        "plain",
        "with spaces and \"quotes\"",
        "C:\\Program Files\\App\\app.exe",
        "\xC4\xE9\xFC",  // accented letters of the ANSI code page
        std::string(255, 'a'),
        std::string(256, 'b'),
        std::string(1024, 'c'),
        std::string(70000, 'd'),
    };
    int i = 0;
    for (const auto& value : cases) {
        std::string name = Format("v%d", i++);
        SCOPED_TRACE(name);
        reg.WriteString(name, value);
        EXPECT_TRUE(reg.ValueExists(name));
        EXPECT_EQ(reg.ReadString(name), value);
    }
    // Overwrite with a shorter value, and the key's default value.
    reg.WriteString("v1", "x");
    EXPECT_EQ(reg.ReadString("v1"), "x");
    reg.WriteString("", "default");
    EXPECT_EQ(reg.ReadString(""), "default");

    // Visible to another reader as wide REG_SZ.
    wchar_t buf[16] = {};
    DWORD size = sizeof buf, type = 0;
    ASSERT_EQ(::RegQueryValueExW(reg.CurrentKey(), L"v1", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buf, L"x");
}

TEST_F(RegistryTest, ExpandStringsAreStoredAndReadUnexpanded) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    reg.WriteExpandString("path", "%SystemRoot%\\system32");
    EXPECT_EQ(reg.ReadString("path"), "%SystemRoot%\\system32");
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExW(reg.CurrentKey(), L"path", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(RegistryTest, OddlyStoredStringsReadSafely) {
    // Without the terminating NUL.
    const wchar_t text[] = L"abcdef";
    SetRaw("noNul", REG_SZ, text, 6 * sizeof(wchar_t));
    // An odd byte count: three characters and half of a fourth.
    SetRaw("odd", REG_SZ, text, 7);
    // Embedded NUL: the text ends there.
    const wchar_t two[] = L"ab\0cd";
    SetRaw("embedded", REG_SZ, two, sizeof two);
    SetRaw("empty", REG_SZ, text, 0);
    SetRaw("oneByte", REG_EXPAND_SZ, text, 1);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(base_));
    EXPECT_EQ(reg.ReadString("noNul"), "abcdef");
    EXPECT_EQ(reg.ReadString("odd"), "abc");
    EXPECT_EQ(reg.ReadString("embedded"), "ab");
    EXPECT_EQ(reg.ReadString("empty"), "");
    EXPECT_EQ(reg.ReadString("oneByte"), "");
}

TEST_F(RegistryTest, IntegersRoundTrip) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    for (int v : {0, 1, -1, 123456789, INT_MIN, INT_MAX}) {
        reg.WriteInteger("n", v);
        EXPECT_EQ(reg.ReadInteger("n"), v);
    }
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExW(reg.CurrentKey(), L"n", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegistryTest, MissingValuesAndWrongTypes) {
    const BYTE bin[] = {1, 2, 3, 4};
    SetRaw("binary", REG_BINARY, bin, sizeof bin);
    const BYTE qword[8] = {1};
    SetRaw("qword", REG_QWORD, qword, sizeof qword);
    const wchar_t multi[] = L"a\0b\0";
    SetRaw("multi", REG_MULTI_SZ, multi, sizeof multi);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, false));
    reg.WriteInteger("number", 5);
    reg.WriteString("text", "5");

    EXPECT_FALSE(reg.ValueExists("missing"));
    EXPECT_EQ(reg.ReadString("missing"), "");
    EXPECT_THROW(reg.ReadInteger("missing"), ERegistryException);

    for (const char* name : {"number", "binary", "multi", "qword"}) {
        SCOPED_TRACE(name);
        try {
            reg.ReadString(name);
            ADD_FAILURE() << "no exception";
        } catch (const ERegistryException& e) {
            EXPECT_NE(e.Message.find(name), std::string::npos) << e.Message;
        }
    }
    for (const char* name : {"text", "binary", "qword"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(reg.ReadInteger(name), ERegistryException);
    }
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    reg.WriteString("a", "1");
    EXPECT_TRUE(reg.DeleteValue("a"));
    EXPECT_FALSE(reg.ValueExists("a"));
    EXPECT_FALSE(reg.DeleteValue("a"));
    EXPECT_EQ(reg.LastError(), ERROR_FILE_NOT_FOUND);

    // A key with values and two levels of subkeys goes as a whole.
    ASSERT_TRUE(reg.OpenKey("Tree\\Sub1\\Leaf", true));
    reg.WriteString("x", "y");
    ASSERT_TRUE(reg.OpenKey("\\" + base_ + "\\Tree\\Sub2", true));
    reg.WriteInteger("n", 1);
    ASSERT_TRUE(reg.OpenKey("\\" + base_, false));
    ASSERT_TRUE(reg.OpenKey("Tree", false));
    reg.WriteString("top", "v");
    reg.CloseKey();

    EXPECT_TRUE(reg.DeleteKey(base_ + "\\Tree"));
    EXPECT_FALSE(RawKeyExists(base_ + "\\Tree"));
    EXPECT_TRUE(RawKeyExists(base_));
    EXPECT_FALSE(reg.DeleteKey(base_ + "\\Tree"));
    EXPECT_NE(reg.LastError(), ERROR_SUCCESS);

    // Relative to the open key.
    ASSERT_TRUE(reg.OpenKey(base_, false));
    ASSERT_TRUE(reg.CreateKey("Rel\\Inner"));
    EXPECT_TRUE(reg.DeleteKey("Rel"));
    EXPECT_FALSE(RawKeyExists(base_ + "\\Rel"));

    // An empty path does not wipe the starting key.
    reg.WriteString("keep", "me");
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_EQ(reg.ReadString("keep"), "me");
}

TEST_F(RegistryTest, ListsKeyAndValueNames) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    EXPECT_TRUE(reg.GetKeyNames().empty());
    EXPECT_TRUE(reg.GetValueNames().empty());

    const std::string longName(300, 'v');  // value names may be longer than key names
    for (const char* k : {"Beta", "Alpha", "With Space"}) ASSERT_TRUE(reg.CreateKey(k));
    ASSERT_TRUE(reg.CreateKey(std::string(255, 'k')));
    reg.WriteString("one", "1");
    reg.WriteInteger("two", 2);
    reg.WriteString(longName, "long");
    reg.WriteString("", "default");

    EXPECT_EQ(Sorted(reg.GetKeyNames()),
              (std::vector<std::string>{"Alpha", "Beta", "With Space", std::string(255, 'k')}));
    EXPECT_EQ(Sorted(reg.GetValueNames()), (std::vector<std::string>{"", "one", "two", longName}));

    TRegistry closed;
    EXPECT_TRUE(closed.GetKeyNames().empty());
    EXPECT_TRUE(closed.GetValueNames().empty());
}

TEST_F(RegistryTest, ListingAndReadingByPathAddNothingForMissingKeys) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey(base_, true));
        ASSERT_TRUE(reg.CreateKey("Sub"));
        reg.WriteString("", "default");
        reg.WriteString("text", "words");
        reg.WriteInteger("number", 7);
    }
    std::vector<std::string> list{"kept"};
    ListRegistryKeyNames(HKEY_CURRENT_USER, base_, list);
    EXPECT_EQ(list, (std::vector<std::string>{"kept", "Sub"}));
    list = {"kept"};
    ListRegistryValueNames(HKEY_CURRENT_USER, base_, list);
    EXPECT_EQ(Sorted(list), (std::vector<std::string>{"", "kept", "number", "text"}));
    list.clear();
    ListRegistryKeyNames(HKEY_CURRENT_USER, base_ + "\\Missing", list);
    ListRegistryValueNames(HKEY_CURRENT_USER, base_ + "\\Missing", list);
    EXPECT_TRUE(list.empty());

    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, base_, ""), "default");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, base_, "text"), "words");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, base_, "number"), "");  // no string: no raise
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, base_, "absent"), "");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, base_ + "\\Missing", "text"), "");
}

TEST_F(RegistryTest, ReadOnlyKeyRefusesWrites) {
    {
        TRegistry writer;
        ASSERT_TRUE(writer.OpenKey(base_, true));
        writer.WriteString("v", "old");
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly(base_));
    EXPECT_EQ(reg.Access, static_cast<REGSAM>(KEY_ALL_ACCESS));
    EXPECT_EQ(reg.ReadString("v"), "old");
    try {
        reg.WriteString("v", "new");
        ADD_FAILURE() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message, "Failed to set data for 'v'");
    }
    EXPECT_EQ(reg.LastError(), ERROR_ACCESS_DENIED);
    EXPECT_THROW(reg.WriteInteger("n", 1), ERegistryException);
    EXPECT_THROW(reg.WriteExpandString("e", "%x%"), ERegistryException);
    EXPECT_FALSE(reg.DeleteValue("v"));
    EXPECT_EQ(reg.ReadString("v"), "old");

    // A key opened with read access only, through Access.
    TRegistry readOnly(KEY_READ);
    ASSERT_TRUE(readOnly.OpenKey(base_, false));
    EXPECT_THROW(readOnly.WriteString("v", "new"), ERegistryException);

    // And writing with no key open at all.
    TRegistry none;
    EXPECT_THROW(none.WriteString("v", "x"), ERegistryException);
    EXPECT_EQ(none.ReadString("v"), "");
    EXPECT_FALSE(none.ValueExists("v"));
}

TEST_F(RegistryTest, OverlongKeyNameFailsWithoutRaising) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base_, true));
    const std::string tooLong(300, 'x');
    EXPECT_FALSE(reg.OpenKey(tooLong, true));
    EXPECT_NE(reg.LastError(), ERROR_SUCCESS);
    // The key that was open stays open.
    EXPECT_EQ(reg.CurrentPath(), base_);
    reg.WriteString("still", "works");
    EXPECT_EQ(reg.ReadString("still"), "works");

    EXPECT_FALSE(reg.CreateKey(tooLong));
    EXPECT_NE(reg.LastError(), ERROR_SUCCESS);
    EXPECT_FALSE(reg.KeyExists(tooLong));
    EXPECT_TRUE(reg.GetKeyNames().empty());
}

}  // namespace
}  // namespace ad
