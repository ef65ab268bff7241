// The launcher's suites run with the program's start-up done first, as the
// program does it: every form made while a skin manager lives is skinned.
#include <gtest/gtest.h>

#include "app/StartUp.h"

namespace ad {
namespace {

class TProgramStartUp : public ::testing::Environment {
public:
    void SetUp() override { StartUpProgram(); }
};

const auto* const kStartUp = ::testing::AddGlobalTestEnvironment(new TProgramStartUp);

}  // namespace
}  // namespace ad
