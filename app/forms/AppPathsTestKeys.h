// App Paths keys made by tests: all named "adtest-...", made, looked up and
// removed again in the test prefix's HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/forms/AppPaths.h"
#include "app/forms/ImportSources.h"
#include "framework/Registry.h"

namespace ad::test {

class AppPathsKeysTest : public ::testing::Test {
protected:
    void TearDown() override {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        for (const std::string& name : Listed())
            if (name.rfind("adtest-", 0) == 0) reg.DeleteKey(std::string(AppPathsKey) + "\\" + name);
    }
    static void Make(const std::string& name, const std::string& location) {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(reg.OpenKey(std::string(AppPathsKey) + "\\" + name, true));
        reg.WriteString("", location);
    }
    static std::vector<std::string> Listed() {
        std::vector<std::string> names;
        for (const TAppPathEntry& e : ListAppPaths()) names.push_back(e.Name);
        return names;
    }
    static bool IsListed(const std::string& name) {
        std::vector<std::string> names = Listed();
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    static std::string LocationOf(const std::string& name) {
        for (const TAppPathEntry& e : ListAppPaths())
            if (e.Name == name) return e.Location;
        return "<not listed>";
    }
};

}  // namespace ad::test
