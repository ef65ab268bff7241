// Helpers shared by the Windows tests: the temporary folder and whole-file
// reads and writes (portable, TempFolder.h), and where the fixture programs are.
#pragma once

#include <string>

#include "testsupport/TempFolder.h"

namespace ad::test {

// Folder of the test executable (and of the fixture programs), with "\".
std::string BinDir();
std::string FixturePath(const std::string& exeName);  // e.g. "echoargs.exe"

}  // namespace ad::test
