// Entry point of every test executable: COM on the test thread, then GoogleTest.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::OleInitialize(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
