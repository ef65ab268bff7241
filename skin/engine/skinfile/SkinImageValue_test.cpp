// Tests of image-value parsing: every form, the computed and uniform borders,
// scale variants, and malformed values that must be skipped.
#include "skin/engine/skinfile/SkinImageValue.h"

#include <gtest/gtest.h>

namespace ad::skin {
namespace {

using F = TSkinValueForm;

TSkinImageValue Parse(const char* value, const char* key = "KEY", int level = 0) {
    static const TSkinIni none;
    return ParseSkinImageValue(none, "SEC", key, value, level);
}

TEST(SkinImageValue, Forms) {
    const struct {
        const char* value;
        F form;
        TRect r;
        int count, type, flags, mode, uniform;
        int wl, wt, wr, wb;
        const char* file;
        bool computed;
    } cases[] = {
        // The documented examples.
        {"^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1", F::Long, {13, 45, 19, 49}, 2, 0, 1, 0, 1, 1, 2, 1, 1,
         "", false},
        {"@0026@0011@0039@0024@1@0", F::Short, {26, 11, 39, 24}, 1, 0, 0, 2, 0, 0, 0, 0, 0, "", false},
        // Long form: all borders 0 take a non-zero uniform border ...
        {"^0000^0000^0030^0040^0000^0000^0000^0000^1^0^0^3", F::Long, {0, 0, 30, 40}, 1, 0, 0, 0, 3, 3, 3, 3, 3, "",
         false},
        // ... or are computed: 30 / (2 * 3), 40 / (1 * 3 + 3).
        {"^0000^0000^0030^0040^0000^0000^0000^0000^2^1^2^0", F::Long, {0, 0, 30, 40}, 2, 1, 2, 0, 0, 5, 6, 5, 6, "",
         true},
        // Draw mode from the 4th "!" word, at most 4; trailing text after the fields is allowed.
        {"^0001^0002^0003^0004^0000^0000^0000^0001^1^0^0^0!A!B!3", F::Long, {1, 2, 3, 4}, 1, 0, 0, 3, 0, 0, 0, 0, 1,
         "", false},
        {"^0001^0002^0003^0004^0000^0000^0000^0001^1^0^0^0!A!B!9", F::Long, {1, 2, 3, 4}, 1, 0, 0, 4, 0, 0, 0, 0, 1,
         "", false},
        {"@0000@0000@0030@0020@3@1 extra", F::Short, {0, 0, 30, 20}, 3, 1, 0, 2, 0, 0, 0, 0, 0, "", false},
        // Glyph: 23 characters, 25 (mask type), 26 (no file), longer with a file (upper-cased).
        {"~0001~0002~0003~0004~03", F::Glyph, {1, 2, 3, 4}, 1, 0, 3, 1, 0, 0, 0, 0, 0, "", false},
        {"~0001~0002~0003~0004~03~2", F::Glyph, {1, 2, 3, 4}, 1, 2, 3, 1, 0, 0, 0, 0, 0, "", false},
        {"~0001~0002~0003~0004~03~2~", F::Glyph, {1, 2, 3, 4}, 1, 2, 3, 1, 0, 0, 0, 0, 0, "", false},
        {"~0001~0002~0003~0004~12~1~glyph.png", F::Glyph, {1, 2, 3, 4}, 1, 1, 12, 1, 0, 0, 0, 0, 0, "GLYPH.PNG",
         false},
        // "!" with 1, 4, 5, 8 and 9 words.
        {"!a.bmp", F::FileParams, {}, 1, 0, 0, 1, 0, 0, 0, 0, 0, "A.BMP", true},
        {"!close.png!3!1!0", F::FileParams, {}, 3, 1, 0, 0, 0, 0, 0, 0, 0, "CLOSE.PNG", true},
        {"!A.PNG!1!0!1!7", F::FileParams, {}, 1, 0, 0, 1, 0, 7, 0, 0, 0, "A.PNG", false},
        {"!A.PNG!2!0!9!1!2!3!4", F::FileParams, {}, 2, 0, 0, 4, 0, 1, 2, 3, 4, "A.PNG", false},
        {"!A.JPG!2!1!2!1!2!3!4!3", F::FileParams, {}, 2, 1, 3, 2, 0, 1, 2, 3, 4, "A.JPG", false},
        {"!A.PNG!0x2!0!1", F::FileParams, {}, 2, 0, 0, 1, 0, 0, 0, 0, 0, "A.PNG", true},
        // Plain file names.
        {"skin\\back.bmp", F::PlainFile, {}, 1, 0, 0, 1, 0, 0, 0, 0, 0, "SKIN\\BACK.BMP", true},
        {"c:\\x\\photo.jpg", F::PlainFile, {}, 1, 0, 0, 1, 0, 0, 0, 0, 0, "C:\\X\\PHOTO.JPG", true},
    };
    for (const auto& c : cases) {
        const TSkinImageValue v = Parse(c.value);
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(v.MakesMask()) << v.Problem;
        EXPECT_EQ(v.Form, c.form);
        EXPECT_EQ(v.R, c.r);
        EXPECT_EQ(v.ImageCount, c.count);
        EXPECT_EQ(v.MaskType, c.type);
        EXPECT_EQ(v.DrawFlags, c.flags);
        EXPECT_EQ(v.DrawMode, c.mode);
        EXPECT_EQ(v.BorderWidth, c.uniform);
        EXPECT_EQ(v.WL, c.wl);
        EXPECT_EQ(v.WT, c.wt);
        EXPECT_EQ(v.WR, c.wr);
        EXPECT_EQ(v.WB, c.wb);
        EXPECT_EQ(v.FileName, c.file);
        EXPECT_EQ(v.ComputedBorders, c.computed);
        EXPECT_EQ(v.WholeImage, c.form == F::FileParams || c.form == F::PlainFile);
        EXPECT_EQ(v.KeyName, "KEY");
    }
}

TEST(SkinImageValue, NotImageValues) {
    // ".PNG" and ".JPEG" are image files only in the "!" form; numbers and texts are not image values.
    for (const char* value : {"BACK.PNG", "photo.jpeg", "16777215", "", "-", "TRUE", "255;0;100;0;0"}) {
        const TSkinImageValue v = Parse(value);
        EXPECT_EQ(v.Form, F::None) << value;
        EXPECT_FALSE(v.Skipped) << value;
        EXPECT_FALSE(v.MakesMask()) << value;
    }
}

TEST(SkinImageValue, MalformedValuesAreSkipped) {
    const char* cases[] = {
        "^0013^0045",                                         // far too short
        "^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^",    // 47 characters
        "^00a3^0045^0019^0049^0001^0002^0001^0001^2^0^1^1",   // a letter in the rectangle
        "^0013^0045^0019^0049^0001^0002^0001^0001^X^0^1^1",   // image count not a digit
        "^-013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1",   // no signs in fixed fields
        "^ 013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1",   // nor blanks
        "^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1!A!B!Z",  // unreadable draw mode
        "^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1!A!B!-1", // negative draw mode
        "@0026@0011@0039@0024@1",                             // 22 characters
        "@0026@0011@0039@0024@1@",                            // 23 characters
        "@0026@0011@0039@0024@X@0",
        "@",
        "~0001~0002~0003~0004~0",                             // 22 characters
        "~0001~0002~0003~0004~0X",
        "~0001~0002~0003~0004~03~X",                          // mask type present but not a digit
        "~",
        "!",                                                  // no file name
        "!!!",
        "!A.PNG!x",
        "!A.PNG!-2",
        "!A.PNG!1!-1",
        "!A.PNG!1!0!-1",
        "!A.PNG!1!0!1!99999",                                 // border beyond 16 bits
        "!A.PNG!1!0!1!1!1!1!1!70000",                         // flags beyond 16 bits
        "!A.PNG!1!0!1!1!1!1!1!-1",
        "X!A.BMP",                                            // plain value with "!": word 2 is no number
        "^0019^0045^0013^0049^0001^0002^0001^0001^2^0^1^1",   // right before left
        "@0000@0040@0012@0032@1@0",                           // bottom before top
        "~0005~0002~0004~0004~01",                            // right before left
    };
    for (const char* value : cases) {
        const TSkinImageValue v = Parse(value);
        EXPECT_TRUE(v.Skipped) << value;
        EXPECT_FALSE(v.Problem.empty()) << value;
        EXPECT_FALSE(v.MakesMask()) << value;
    }
}

TEST(SkinImageValue, WholeImageSizeAndComputedBorders) {
    TSkinImageValue v = Parse("!close.png!3!1!0");
    SetImageSize(v, 90, 40);
    EXPECT_EQ(v.R, (TRect{0, 0, 90, 40}));
    EXPECT_EQ(v.WL, 10);  // 90 / (3 * 3)
    EXPECT_EQ(v.WR, 10);
    EXPECT_EQ(v.WT, 6);   // 40 / (1 * 3 + 3)
    EXPECT_EQ(v.WB, 6);

    v = Parse("BACK.BMP");
    SetImageSize(v, 60, 30);
    EXPECT_EQ(v.WL, 20);
    EXPECT_EQ(v.WT, 10);

    v = Parse("!A.PNG!2!0!1!1!2!3!4");  // given borders stay
    SetImageSize(v, 60, 30);
    EXPECT_EQ(v.R, (TRect{0, 0, 60, 30}));
    EXPECT_EQ(v.WL, 1);
    EXPECT_EQ(v.WB, 4);

    v = Parse("!A.PNG!0!0!1");  // image count 0: no division, borders 0
    SetImageSize(v, 60, 30);
    EXPECT_EQ(v.WL, 0);
    EXPECT_EQ(v.WT, 10);

    v = Parse("!A.PNG!1!0!1");  // huge images: the borders stay within 16 bits
    SetImageSize(v, 2000000000, 2000000000);
    EXPECT_EQ(v.WL, 32767);
    EXPECT_EQ(v.WT, 32767);

    v = Parse("^0000^0000^0030^0040^0000^0000^0000^0000^0^0^0^0");  // long form, image count 0
    EXPECT_EQ(v.WL, 0);
    EXPECT_EQ(v.WT, 13);
    SetImageSize(v, 5, 5);  // not a whole-image form: unchanged
    EXPECT_EQ(v.R, (TRect{0, 0, 30, 40}));

    const TSkinMaskData m = MakeSkinMaskData(Parse("^0013^0045^0019^0049^0001^0002^0001^0001^2^0^1^1", "BORDERSMASK"));
    EXPECT_EQ(m.ClassName, "SEC");
    EXPECT_EQ(m.PropertyName, "BORDERSMASK");
    EXPECT_EQ(m.R, (TRect{13, 45, 19, 49}));
    EXPECT_EQ(m.ImageCount, 2);
    EXPECT_EQ(m.DrawFlags, kMaskStretch);
    EXPECT_EQ(m.BorderWidth, 1);
    EXPECT_EQ(m.WT, 2);
    EXPECT_EQ(m.DrawMode, dmNinePart);
    EXPECT_EQ(m.Bmp, nullptr);
}

TEST(SkinImageValue, ScaleVariantsAndTheWholeSkin) {
    const TSkinIni ini(
        "[GLOBALINFO]\n"
        "MASTERBITMAP=master.bmp\n"
        "BOX=^0001^0000^0002^0000^0000^0000^0000^0000^1^0^0^1\n"
        "BOX*125=^0003^0000^0004^0000^0000^0000^0000^0000^1^0^0^1\n"
        "BOX*150=^0005^0000^0006^0000^0000^0000^0000^0000^1^0^0^1\n"
        "BTN=!btn.png!1!0!1\n"
        "BTN*125=\n"
        "BTN*150=!btn150.png!2!0!1\n"
        "CHK=@0001@0001@0002@0002@1@0\n"
        "CHK*150=@0003@0003@0004@0004@1@0\n"
        "COLOR=255\n"
        "[PANEL]\n"
        "MASTERBITMAP=panel.bmp\n"
        "BAD=^0013\n"
        "GLYPH=~0001~0002~0003~0004~00\n");
    const auto keys = [](const std::vector<TSkinImageValue>& vs) {
        std::vector<std::string> r;
        for (const auto& v : vs) r.push_back(std::to_string(v.SectionIndex) + ":" + v.KeyName);
        return r;
    };
    const std::vector<std::string> expected0{"0:BOX", "0:BTN", "0:CHK", "0:CHK*150", "1:MASTERBITMAP", "1:BAD",
                                             "1:GLYPH"};
    const auto v0 = ReadSkinImageValues(ini, 0);
    EXPECT_EQ(keys(v0), expected0);
    EXPECT_EQ(v0[0].R.Left, 1);
    EXPECT_EQ(v0[1].FileName, "BTN.PNG");
    EXPECT_EQ(v0[3].R.Left, 3);
    EXPECT_TRUE(v0[5].Skipped);
    EXPECT_EQ(v0[5].SectionName, "PANEL");

    // Level 1: the long form takes BOX*125 under its own name; an empty BTN*125 is not used.
    const auto v1 = ReadSkinImageValues(ini, 1);
    EXPECT_EQ(keys(v1), expected0);
    EXPECT_EQ(v1[0].R.Left, 3);
    EXPECT_EQ(v1[1].FileName, "BTN.PNG");
    EXPECT_EQ(v1[1].KeyName, "BTN");

    // Level 2: BOX*150; BTN*150 replaces BTN's value and its suffix stays in the key name.
    const auto v2 = ReadSkinImageValues(ini, 2);
    ASSERT_EQ(v2.size(), expected0.size());
    EXPECT_EQ(v2[0].KeyName, "BOX");
    EXPECT_EQ(v2[0].R.Left, 5);
    EXPECT_EQ(v2[1].KeyName, "BTN*150");
    EXPECT_EQ(v2[1].FileName, "BTN150.PNG");
    EXPECT_EQ(v2[1].ImageCount, 2);
    EXPECT_EQ(v2[2].KeyName, "CHK");
    EXPECT_EQ(v2[3].KeyName, "CHK*150");

    // A scale variant replacing a long form must itself be a long form.
    const TSkinIni bad("[S]\nK=^0001^0000^0002^0000^0000^0000^0000^0000^1^0^0^1\nK*125=junk\n");
    EXPECT_TRUE(ParseSkinImageValue(bad, "S", "K", *bad.Find("S", "K"), 1).Skipped);
    EXPECT_TRUE(ParseSkinImageValue(bad, "S", "K", *bad.Find("S", "K"), 0).MakesMask());

    // SH_MASK and LO_MASK use the long form alone.
    TSkinImageValue sh;
    EXPECT_TRUE(ParseLongFormValue("^0000^0000^0010^0020^0000^0000^0000^0000^1^1^1^4", sh));
    EXPECT_EQ(sh.WL, 4);
    EXPECT_EQ(sh.MaskType, 1);
    TSkinImageValue shortOne;
    EXPECT_FALSE(ParseLongFormValue("^0000", shortOne));
    EXPECT_TRUE(shortOne.Skipped);
}

}  // namespace
}  // namespace ad::skin
