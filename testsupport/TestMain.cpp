// Entry point of every test executable: the application object (COM, common
// controls, the error box) on the test thread, then GoogleTest. An exception
// that reaches the error box fails the running test instead of showing a modal
// message box that nobody would close.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Forms.h"

int main(int argc, char** argv) {
    ad::TApplication application;
    application.Initialize();
    application.Title = "Appdeck tests";
    application.OnException = [](ad::TObject*, const std::exception_ptr& e) {
        ADD_FAILURE() << "exception reached the error box: " << ad::TApplication::ExceptionMessage(e);
    };
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
