// Helpers shared by tests: where the fixture programs are.
#include "testsupport/TestUtils.h"

#include "framework/SysUtils.h"

namespace ad::test {

std::string BinDir() { return ExtractFilePath(ModuleFileName()); }
std::string FixturePath(const std::string& exeName) { return BinDir() + exeName; }

}  // namespace ad::test
