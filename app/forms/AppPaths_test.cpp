// App Paths entries in the test prefix's HKEY_LOCAL_MACHINE: the stored key
// name, writing, exact deletion, refused names, and a replace that never loses
// the entry. Every key made here starts with "adtest-" and is removed again.
#include "app/forms/AppPaths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/forms/AppPathsTestKeys.h"
#include "app/forms/ImportSources.h"
#include "framework/Registry.h"

namespace ad {
namespace {

using AppPathsTest = test::AppPathsKeysTest;

TEST(AppPathNameTest, TheExtensionBecomesExeAndBackslashesAreRefused) {
    const struct {
        const char* name;
        const char* key;
    } keys[] = {{"tool.com", "tool.exe"}, {"tool", "tool.exe"}, {"my.tool.bat", "my.tool.exe"}, {"Tool.EXE", "Tool.exe"}};
    for (const auto& c : keys) EXPECT_EQ(AppPathKeyName(c.name), c.key) << c.name;
    for (const char* bad : {"", "\\", "a\\b.exe", "..\\x.exe", "x.exe\\"}) EXPECT_FALSE(IsValidAppPathName(bad)) << bad;
    EXPECT_TRUE(IsValidAppPathName("notepad.exe"));
}

TEST_F(AppPathsTest, WriteStoresTheExeKeyWithTheLocationAndAnEmptyLocationAsEmpty) {
    EXPECT_TRUE(WriteAppPath("adtest-tool.com", "C:\\Tools\\tool.com"));
    EXPECT_FALSE(IsListed("adtest-tool.com"));
    EXPECT_EQ(LocationOf("adtest-tool.exe"), "C:\\Tools\\tool.com");
    EXPECT_TRUE(WriteAppPath("adtest-empty", ""));
    EXPECT_EQ(LocationOf("adtest-empty.exe"), "");
    TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(std::string(AppPathsKey) + "\\adtest-empty.exe"));
    EXPECT_TRUE(reg.ValueExists(""));  // written, not merely missing

    const size_t before = Listed().size();
    for (const char* bad : {"", "adtest-a\\b.exe", "..\\adtest-x"}) EXPECT_FALSE(WriteAppPath(bad, "x")) << bad;
    EXPECT_EQ(Listed().size(), before);
}

TEST_F(AppPathsTest, AKeyThatCannotBeCreatedRaisesFailedToCreateKey) {
    const std::string longName = "adtest-" + std::string(300, 'n');
    try {
        WriteAppPath(longName, "x");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Failed to create key " + std::string(AppPathsKey) + "\\adtest-", 0), 0u)
            << e.what();
    }
}

TEST_F(AppPathsTest, DeleteRemovesExactlyTheListedKeyAndRefusesNamesThatReachFurther) {
    Make("adtest-foo.com", "C:\\foo.com");
    Make("adtest-foo.exe", "C:\\foo.exe");
    Make("adtest-bystander.exe", "C:\\bystander.exe");
    EXPECT_TRUE(DeleteAppPath("adtest-foo.com"));
    EXPECT_FALSE(IsListed("adtest-foo.com"));
    EXPECT_EQ(LocationOf("adtest-foo.exe"), "C:\\foo.exe");  // a look-alike stays

    const size_t before = Listed().size();
    ASSERT_GT(before, 1u);
    for (const char* bad : {"", "\\", "adtest-foo.exe\\", "..\\App Paths"}) EXPECT_FALSE(DeleteAppPath(bad)) << bad;
    EXPECT_EQ(Listed().size(), before);  // the App Paths key and its entries are all there
    EXPECT_TRUE(IsListed("adtest-foo.exe"));
}

TEST_F(AppPathsTest, ReplaceWritesFirstAndDeletesTheOldKeyOnlyWhenItIsAnother) {
    Make("adtest-old.com", "C:\\old.com");
    // A new name: the new key appears, the listed one goes.
    EXPECT_TRUE(ReplaceAppPath("adtest-old.com", "adtest-new", "C:\\new.exe"));
    EXPECT_FALSE(IsListed("adtest-old.com"));
    EXPECT_EQ(LocationOf("adtest-new.exe"), "C:\\new.exe");
    // The same key in other case: rewritten, not deleted after the write.
    EXPECT_TRUE(ReplaceAppPath("adtest-new.exe", "ADTEST-NEW.EXE", "C:\\moved.exe"));
    EXPECT_EQ(LocationOf("adtest-new.exe"), "C:\\moved.exe");
    // An empty or refused new name changes nothing.
    for (const char* bad : {"", "a\\b"}) {
        EXPECT_FALSE(ReplaceAppPath("adtest-new.exe", bad, "C:\\x.exe")) << bad;
        EXPECT_EQ(LocationOf("adtest-new.exe"), "C:\\moved.exe");
    }
    // A write that fails leaves the listed entry as it was.
    EXPECT_THROW(ReplaceAppPath("adtest-new.exe", "adtest-" + std::string(300, 'n'), "C:\\x.exe"), ERegistryException);
    EXPECT_EQ(LocationOf("adtest-new.exe"), "C:\\moved.exe");
}

}  // namespace
}  // namespace ad
