// Windows only: GIF pictures load from and save to a folder whose ANSI name
// has letters beyond ASCII (names are converted to UTF-16 before opening).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "gif/GIFTestSupport.h"
#include "testsupport/TempFolder.h"

namespace ad::gif {
namespace {

using giftest::Bytes;

TEST(GifFileNames, PicturesLoadAndSaveByAnsiNamesBeyondAscii) {
    test::TempDir dir;
    const std::string folder = test::MakeNonAsciiFolder(dir);
    if (folder.empty()) GTEST_SKIP() << "the ANSI code page cannot hold the test name";
    const Bytes gif = giftest::OneFrameGif(2, 2, {0, 1, 2, 3});
    const std::string source = folder + "s\xE9same.gif", copy = folder + "copie \xE9t\xE9.gif";
    std::ofstream(test::PathOfName(source), std::ios::binary)
        .write(reinterpret_cast<const char*>(gif.data()), std::streamsize(gif.size()));

    TGifPicture pic;
    pic.LoadFromFile(source);
    EXPECT_EQ(pic.Width(), 2);
    EXPECT_EQ(pic.Frames.Count(), 1);
    pic.SaveToFile(copy);
    std::ifstream saved(test::PathOfName(copy), std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()), giftest::Save(pic));
}

}  // namespace
}  // namespace ad::gif
