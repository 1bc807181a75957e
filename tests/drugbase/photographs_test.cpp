#include <fstream>

#include "photo_fixture.h"

namespace {

using testjpeg::encode;
using testjpeg::writeFile;

class Photographs : public PhotoTest {};

TEST_F(Photographs, PictureImageDrawsTheChosenPhotographUprightAtItsPlace) {
    drugWithPhotos("111111111111", "13", 3);
    writeFile(supplied(1, "111111111111"), encode(testjpeg::quadrants(64, 48, 0, 0, 0, 0)));
    writeFile(supplied(3, "111111111111"), encode(fourColours(1600, 1200)));
    Surface s(400, 400);
    int drawn = 0;
    ASSERT_EQ(PictureImage(&s.surface, &drawn, &window, "111111111111", baseArg().c_str(), 30, 20),
              0);
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(showsFourColours(s, 30, 20));
    // Exactly 140 x 105 pixels from (30, 20) were written.
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool inside = x >= 30 && x < 170 && y >= 20 && y < 125;
            ASSERT_EQ(s.at(x, y) == kUntouched, !inside) << x << "," << y;
        }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Photographs, PictureImageDrawsNothingWithoutAnAvailableChoice) {
    drugWithPhotos("NOFLAG", "", 3);     // PHOTO_HYOUJI 3 while PHOTO3 is 0
    drugWithPhotos("NOUSER", "1", 7);    // 7 with an empty PHOTO_TOROKU
    drugWithPhotos("NOCHOICE", "1", 0);  // no photograph chosen
    drugWithPhotos("NOFILE", "2", 2);    // flag set, file missing
    for (const char* code : {"NOFLAG", "NOUSER", "NOCHOICE"})
        writeFile(supplied(1, code), encode(fourColours()));
    writeFile(supplied(3, "NOFLAG"), encode(fourColours()));
    for (const char* code : {"NOFLAG", "NOUSER", "NOCHOICE", "NOFILE", "UNKNOWN"}) {
        Surface s(140, 105);
        int drawn = 0;
        EXPECT_EQ(PictureImage(&s.surface, &drawn, &window, code, baseArg().c_str(), 0, 0), 0);
        EXPECT_EQ(drawn, 0) << code;
        EXPECT_TRUE(s.untouched()) << code;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Photographs, PictureImageNeedsASurfaceAndAWindow) {
    drugWithPhotos("222222222222", "1", 1);
    writeFile(supplied(1, "222222222222"), encode(fourColours()));
    Surface s(140, 105);
    int drawn = 0;
    EXPECT_EQ(PictureImage(&s.surface, &drawn, nullptr, "222222222222", baseArg().c_str(), 0, 0),
              0);
    EXPECT_EQ(PictureImage(nullptr, &drawn, &window, "222222222222", baseArg().c_str(), 0, 0), 0);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(s.untouched());
    // A null flag pointer still draws.
    EXPECT_EQ(PictureImage(&s.surface, nullptr, &window, "222222222222", baseArg().c_str(), 0, 0),
              0);
    EXPECT_TRUE(showsFourColours(s));
}

TEST_F(Photographs, TheUserPhotographIsReadFromItsStoredPath) {
    const auto file = dir.path() / "ユーザー写真" / "錠剤.jpg";
    writeFile(file, encode(fourColours()));
    drugWithPhotos("333333333333", "", 7, file.string());
    Surface s(140, 105);
    int drawn = 0;
    ASSERT_EQ(PictureImage(&s.surface, &drawn, &window, "333333333333", baseArg().c_str(), 0, 0),
              0);
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(showsFourColours(s));
}

TEST_F(Photographs, AFullWidthCodeIsLookedUpAsGivenAndNamesItsFileInHalfWidth) {
    drugWithPhotos("ＡＢ１２３", "2", 2);
    writeFile(supplied(2, "AB123"), encode(fourColours()));
    Surface s(140, 105);
    int drawn = 0;
    ASSERT_EQ(PictureImage(&s.surface, &drawn, &window, cp("ＡＢ１２３").c_str(), baseArg().c_str(),
                           0, 0),
              0);
    EXPECT_EQ(drawn, 1);
    // The half-width code is another drug's key, so it finds nothing.
    drawn = 0;
    PictureImage(&s.surface, &drawn, &window, "AB123", baseArg().c_str(), 0, 0);
    EXPECT_EQ(drawn, 0);
}

TEST_F(Photographs, DrawImageFillsTheSlotsOfTheAvailablePhotographsOnly) {
    const auto user = dir.path() / "own.jpg";
    writeFile(user, encode(fourColours()));
    drugWithPhotos("444444444444", "146", 1, user.string());
    writeFile(supplied(1, "444444444444"), encode(fourColours()));
    writeFile(supplied(4, "444444444444"), encode(fourColours(), {.progressive = true}));
    writeFile(supplied(6, "444444444444"), "not a photograph");     // flag set, file broken
    writeFile(supplied(2, "444444444444"), encode(fourColours()));  // file there, flag not set

    std::deque<Surface> surfaces;
    for (int i = 0; i < 7; ++i) surfaces.emplace_back(200, 150);
    DrugSurface* targets[7];
    int flags[7] = {};
    int* flagPointers[7];
    for (int i = 0; i < 7; ++i) {
        targets[i] = &surfaces[i].surface;
        flagPointers[i] = &flags[i];
    }
    ASSERT_EQ(DrawImage(targets, flagPointers, &window, "444444444444", baseArg().c_str(), 10, 5),
              0);
    EXPECT_EQ(std::vector<int>(flags, flags + 7), (std::vector<int>{1, 0, 0, 1, 0, 0, 1}));
    for (int slot : {0, 3, 6}) EXPECT_TRUE(showsFourColours(surfaces[slot], 10, 5)) << slot;
    for (int slot : {1, 2, 4, 5}) EXPECT_TRUE(surfaces[slot].untouched()) << slot;
    EXPECT_EQ(messages, (std::vector<std::string>{"Could not load image (hr failure)"}));

    // Without the first surface or a window nothing is drawn; a missing later surface or flag
    // pointer only leaves out its own slot.
    int again[7] = {};
    int* againPointers[7];
    for (int i = 0; i < 7; ++i) againPointers[i] = &again[i];
    DrugSurface* noFirst[7] = {nullptr,    targets[1], targets[2], targets[3],
                               targets[4], targets[5], targets[6]};
    EXPECT_EQ(DrawImage(noFirst, againPointers, &window, "444444444444", baseArg().c_str(), 0, 0),
              0);
    EXPECT_EQ(DrawImage(targets, againPointers, nullptr, "444444444444", baseArg().c_str(), 0, 0),
              0);
    EXPECT_EQ(std::vector<int>(again, again + 7), std::vector<int>(7, 0));
    targets[3] = nullptr;
    againPointers[6] = nullptr;
    EXPECT_EQ(DrawImage(targets, againPointers, &window, "444444444444", baseArg().c_str(), 0, 0),
              0);
    EXPECT_EQ(std::vector<int>(again, again + 7), (std::vector<int>{1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Photographs, TheLoaderReportsTheStepThatFailedAndDrawsNothing) {
    const std::string good = encode(fourColours());
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {"empty.jpg", "", "Could not lock memory for image"},
        {"text.jpg", "これは写真ではありません。\n", "Could not load image (hr failure)"},
        {"cut.jpg", good.substr(0, good.size() / 2), "Could not load image (pgpPicture failure)"},
        {"header-cut.jpg", good.substr(0, 200), "Could not load image (hr failure)"},
        {"no-scan-data.jpg", good.substr(0, good.find("\xFF\xDA") + 20),
         "Could not load image (pgpPicture failure)"},
    };
    for (const Case& c : cases) {
        messages.clear();
        writeFile(dir.path() / c.name, c.bytes);
        Surface s(140, 105);
        int drawn = 0;
        EXPECT_EQ(OridginalImage(&s.surface, &drawn, (dir.path() / c.name).c_str(), &window, 0, 0),
                  0);
        EXPECT_EQ(drawn, 0) << c.name;
        EXPECT_TRUE(s.untouched()) << c.name;
        EXPECT_EQ(messages, std::vector<std::string>{c.message}) << c.name;
    }
    // Missing files and folders named like photographs say nothing.
    messages.clear();
    std::filesystem::create_directories(dir.path() / "folder.jpg");
    for (const char* name : {"missing.jpg", "folder.jpg"}) {
        Surface s(140, 105);
        int drawn = 0;
        EXPECT_EQ(OridginalImage(&s.surface, &drawn, (dir.path() / name).c_str(), &window, 0, 0),
                  0);
        EXPECT_EQ(drawn, 0);
    }
    EXPECT_EQ(OridginalImage(nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(Photographs, EveryKindOfJpegIsDrawnUpright) {
    using testjpeg::Colour;
    const testjpeg::Options kinds[] = {
        {},
        {.progressive = true},
        {.colour = Colour::AdobeCmyk},
        {.colour = Colour::PlainCmyk, .progressive = true},
        {.quality = 40},
    };
    for (const auto& options : kinds) {
        writeFile(dir.path() / "kind.jpg", encode(fourColours(), options));
        Surface s(140, 105);
        int drawn = 0;
        OridginalImage(&s.surface, &drawn, (dir.path() / "kind.jpg").c_str(), &window, 0, 0);
        EXPECT_EQ(drawn, 1);
        EXPECT_TRUE(showsFourColours(s)) << int(options.colour) << options.progressive;
    }
    // A greyscale photograph: four grey levels, left to right and top to bottom.
    writeFile(dir.path() / "grey.jpg",
              encode(testjpeg::quadrants(320, 240, 0x202020, 0x606060, 0xA0A0A0, 0xE0E0E0),
                     {.colour = Colour::Grey}));
    Surface s(140, 105);
    int drawn = 0;
    OridginalImage(&s.surface, &drawn, (dir.path() / "grey.jpg").c_str(), &window, 0, 0);
    EXPECT_TRUE(shows(s.at(35, 26), 0x202020, 12) && shows(s.at(105, 26), 0x606060, 12) &&
                shows(s.at(35, 78), 0xA0A0A0, 12) && shows(s.at(105, 78), 0xE0E0E0, 12));
}

TEST_F(Photographs, TheExifOrientationOfAPhoneCameraIsHonoured) {
    // What the camera stored for the upright four-colour scene, for each orientation tag: the
    // quadrants of the stored picture (top-left, top-right, bottom-left, bottom-right) and
    // whether it was taken on its side (stored portrait).
    struct Stored {
        int orientation;
        std::uint32_t tl, tr, bl, br;
        bool onItsSide;
    };
    const Stored cases[] = {
        {1, kRed, kGreen, kBlue, kYellow, false}, {2, kGreen, kRed, kYellow, kBlue, false},
        {3, kYellow, kBlue, kGreen, kRed, false}, {4, kBlue, kYellow, kRed, kGreen, false},
        {5, kRed, kBlue, kGreen, kYellow, true},  {6, kGreen, kYellow, kRed, kBlue, true},
        {7, kYellow, kGreen, kBlue, kRed, true},  {8, kBlue, kRed, kYellow, kGreen, true},
    };
    for (const Stored& c : cases) {
        const auto picture = c.onItsSide ? testjpeg::quadrants(240, 320, c.tl, c.tr, c.bl, c.br)
                                         : testjpeg::quadrants(320, 240, c.tl, c.tr, c.bl, c.br);
        for (bool bigEndian : {false, true}) {
            writeFile(dir.path() / "phone.jpg", encode(picture, {.exifOrientation = c.orientation,
                                                                 .bigEndianExif = bigEndian}));
            Surface s(140, 105);
            int drawn = 0;
            OridginalImage(&s.surface, &drawn, (dir.path() / "phone.jpg").c_str(), &window, 0, 0);
            EXPECT_TRUE(showsFourColours(s)) << "orientation " << c.orientation;
        }
    }
}

TEST_F(Photographs, DrawingIsClippedToTheSurface) {
    writeFile(dir.path() / "p.jpg", encode(fourColours()));
    // Only the yellow bottom-right quadrant falls on this small surface, down to its row 44.
    Surface s(60, 50);
    int drawn = 0;
    OridginalImage(&s.surface, &drawn, (dir.path() / "p.jpg").c_str(), &window, -80, -60);
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(shows(s.at(0, 0), kYellow) && shows(s.at(59, 44), kYellow));
    EXPECT_EQ(s.at(0, 45), kUntouched);
    EXPECT_EQ(s.at(59, 49), kUntouched);
    // A surface whose rows are shorter than its width claims is not drawn on.
    Surface bad(140, 105);
    bad.surface.bytesPerLine = 100;
    drawn = 0;
    OridginalImage(&bad.surface, &drawn, (dir.path() / "p.jpg").c_str(), &window, 0, 0);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(bad.untouched());
}

TEST_F(Photographs, FindFileLooksForTheCodeAsGivenInsideItsFolderOnly) {
    writeFile(supplied(5, "555555555555"), "x");
    writeFile(supplied(1, "ＡＢ"), "x");
    writeFile(base() / "777.jpg", "x");
    writeFile(base() / "secret.jpg", "x");
    EXPECT_EQ(FINDFILE(5, "555555555555", baseArg().c_str()), 1);
    EXPECT_EQ(FINDFILE(4, "555555555555", baseArg().c_str()), 0);
    EXPECT_EQ(FINDFILE(1, cp("ＡＢ").c_str(), baseArg().c_str()), 1);  // not converted
    EXPECT_EQ(FINDFILE(1, "AB", baseArg().c_str()), 0);
    EXPECT_EQ(FINDFILE(0, "777", baseArg().c_str()), 1);
    EXPECT_EQ(FINDFILE(9, "777", baseArg().c_str()), 1);
    EXPECT_EQ(FINDFILE(1, "../../secret", baseArg().c_str()), 0);
    EXPECT_EQ(FINDFILE(1, "", baseArg().c_str()), 0);
    EXPECT_EQ(FINDFILE(1, nullptr, nullptr), 0);
}

TEST_F(Photographs, ADatabaseFailureIsReportedAndNothingIsDrawn) {
    drugWithPhotos("666666666666", "1", 1);
    writeFile(supplied(1, "666666666666"), encode(fourColours()));
    RecordClose();
    Surface s(140, 105);
    int drawn = 0;
    EXPECT_EQ(PictureImage(&s.surface, &drawn, &window, "666666666666", baseArg().c_str(), 0, 0),
              99);
    DrugSurface* targets[7] = {&s.surface};
    int* flags[7] = {&drawn};
    EXPECT_EQ(DrawImage(targets, flags, &window, "666666666666", baseArg().c_str(), 0, 0), 99);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(s.untouched());
    EXPECT_EQ(messages, std::vector<std::string>(2, "Error:DATABASE.Open"));
}

}  // namespace
