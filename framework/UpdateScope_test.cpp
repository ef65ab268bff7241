// UpdateScope over a string list and an INI file: the update ends on every way
// out of the scope, and the error that goes on is the right one.
#include "framework/UpdateScope.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/IniFiles.h"
#include "framework/StringList.h"
#include "framework/SysUtils.h"
#include "testsupport/TestUtils.h"

namespace ad {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(UpdateScope, EndsAStringListUpdateHoweverTheScopeIsLeft) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    {
        UpdateScope update(list);
        list.Add("a");
        list.Add("b");
        EXPECT_EQ(changes, 0);
    }
    EXPECT_EQ(changes, 1);  // one change for the whole scope

    changes = 0;
    EXPECT_THROW(
        {
            UpdateScope update(list);
            list.Add("c");
            throw std::runtime_error("failed half way");
        },
        std::runtime_error);
    EXPECT_EQ(changes, 1);  // ended: the next change is reported at once
    list.Add("d");
    EXPECT_EQ(changes, 2);
}

TEST(UpdateScope, TheErrorThatGoesOnIsTheFirstOne) {
    struct Case {
        const char* name;
        bool bodyFails;
        bool endFails;
        const char* expected;  // the message that leaves the scope, or null
    } cases[] = {
        {"nothing fails", false, false, nullptr},
        {"the end of the update fails", false, true, "end failed"},
        {"the body fails", true, false, "body failed"},
        {"both fail: the body's error wins", true, true, "body failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList list;
        list.OnChange = [&] {
            if (c.endFails) throw std::runtime_error("end failed");
        };
        std::string caught;
        try {
            UpdateScope update(list);
            list.Add("x");
            if (c.bodyFails) throw std::runtime_error("body failed");
        } catch (const std::runtime_error& e) {
            caught = e.what();
        }
        EXPECT_EQ(caught, c.expected ? c.expected : "");
        list.OnChange = nullptr;
        list.Add("after");  // not still updating: the scope's update is over
        EXPECT_EQ(list.Count(), 2);
    }
}

TEST(UpdateScope, AnIniFileSavesTheScopesWritesOnceAtItsEnd) {
    TempDir dir;
    std::string file = dir.File("u.ini");
    WriteFileBytes(file, "[s]\r\na=1\r\n");
    TIniFile ini(file);
    {
        UpdateScope update(ini);
        ini.WriteString("s", "b", "2");
        ini.WriteString("s", "c", "3");
        EXPECT_EQ(ReadFileBytes(file), "[s]\r\na=1\r\n");  // held in memory
    }
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\na=1\r\nb=2\r\nc=3\r\n");

    // Left by an error, what was written before it is still saved.
    EXPECT_THROW(
        {
            UpdateScope update(ini);
            ini.WriteString("s", "d", "4");
            throw std::runtime_error("stopped");
        },
        std::runtime_error);
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n");

    // A save that fails at the end of the scope raises from there.
    ASSERT_TRUE(::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(
        {
            UpdateScope update(ini);
            ini.WriteString("s", "e", "5");
        },
        EFCreateError);
    ::SetFileAttributesW(Widen(file).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(file), "[s]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n");
}

}  // namespace
}  // namespace ad
