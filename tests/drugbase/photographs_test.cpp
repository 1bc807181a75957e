#include "photo_fixture.h"

namespace {

using testjpeg::encode;
using testjpeg::writeFile;

class Photographs : public OnEachEngine<PhotoTest> {};

TEST_P(Photographs, PictureImageDrawsTheChosenPhotographUprightAtItsPlace) {
    drugWithPhotos("111111111111", "13", 3);
    writeFile(supplied(1, "111111111111"), encode(testjpeg::quadrants(64, 48, 0, 0, 0, 0)));
    writeFile(supplied(3, "111111111111"), encode(fourColours(1600, 1200)));
    Surface s(400, 400);
    EXPECT_EQ(picture("111111111111", s, 30, 20), 1);
    EXPECT_TRUE(showsFourColours(s, 30, 20));
    // Exactly 140 x 105 pixels from (30, 20) were written.
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x) {
            const bool inside = x >= 30 && x < 170 && y >= 20 && y < 125;
            ASSERT_EQ(s.at(x, y) == kUntouched, !inside) << x << "," << y;
        }
    EXPECT_TRUE(messages.empty());
}

TEST_P(Photographs, PictureImageDrawsOnlyAnAvailableChoiceByCodeOrFromTheRecord) {
    const std::string jpeg = encode(fourColours());
    drugWithPhotos("NOFLAG", "", 3);     // PHOTO_HYOUJI 3 while PHOTO3 is 0
    drugWithPhotos("NOUSER", "1", 7);    // 7 with an empty PHOTO_TOROKU
    drugWithPhotos("NOCHOICE", "1", 0);  // no photograph chosen
    drugWithPhotos("NOFILE", "2", 2);    // flag set, file missing
    for (const char* code : {"NOFLAG", "NOUSER", "NOCHOICE"}) writeFile(supplied(1, code), jpeg);
    writeFile(supplied(3, "NOFLAG"), jpeg);
    drugWithPhotos("USER", "", 7, photo("ユーザー写真/錠剤.jpg", jpeg).string());
    // A full-width code is looked up as given and names its file in half-width; the
    // half-width code is another drug's key, so it finds nothing.
    drugWithPhotos("ＡＢ１２３", "2", 2);
    writeFile(supplied(2, "AB123"), jpeg);
    // By code, and from the record a read gave (none for an unknown code): the same photograph
    // is drawn, or none.
    const std::pair<std::string, int> cases[] = {
        {"NOFLAG", 0},  {"NOUSER", 0}, {"NOCHOICE", 0}, {"NOFILE", 0},
        {"UNKNOWN", 0}, {"AB123", 0},  {"USER", 1},     {sjis::fromUtf8("ＡＢ１２３"), 1}};
    for (const auto& [code, drawn] : cases) {
        SCOPED_TRACE(sjis::toUtf8(code));
        DrugRecord record{};
        EXPECT_EQ(RecordDetail(&record, code.c_str()), code == "UNKNOWN" || code == "AB123");
        Surface byCode(140, 105), byRecord(140, 105);
        int drawnOf = 0;
        EXPECT_EQ(PictureImageOf(&byRecord.surface, &drawnOf, &record, baseArg().c_str(), 0, 0), 0);
        EXPECT_EQ(picture(code, byCode), drawn);
        EXPECT_EQ(drawnOf, drawn);
        for (const Surface* s : {&byCode, &byRecord})
            EXPECT_TRUE(drawn ? bool(showsFourColours(*s)) : s->untouched());
    }
    EXPECT_TRUE(messages.empty());

    // Without a surface or a window nothing is drawn; without a flag pointer it still draws.
    Surface s(140, 105);
    int drawn = 0;
    EXPECT_EQ(PictureImage(&s.surface, &drawn, nullptr, "USER", baseArg().c_str(), 0, 0), 0);
    EXPECT_EQ(PictureImage(nullptr, &drawn, &window, "USER", baseArg().c_str(), 0, 0), 0);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(s.untouched());
    EXPECT_EQ(PictureImage(&s.surface, nullptr, &window, "USER", baseArg().c_str(), 0, 0), 0);
    EXPECT_TRUE(showsFourColours(s));
}

TEST_P(Photographs, DrawImageFillsTheSlotsOfTheAvailablePhotographsOnly) {
    const std::string jpeg = encode(fourColours());
    drugWithPhotos("444444444444", "146", 1, photo("own.jpg", jpeg).string());
    writeFile(supplied(1, "444444444444"), jpeg);
    writeFile(supplied(4, "444444444444"), encode(fourColours(), {.progressive = true}));
    writeFile(supplied(6, "444444444444"), "not a photograph");  // flag set, file broken
    writeFile(supplied(2, "444444444444"), jpeg);                // file there, flag not set

    std::deque<Surface> surfaces;
    DrugSurface* targets[7];
    int flags[7] = {};
    int* flagPointers[7];
    for (int i = 0; i < 7; ++i) {
        targets[i] = &surfaces.emplace_back(200, 150).surface;
        flagPointers[i] = &flags[i];
    }
    const auto draw = [&](DrugSurface* const* into, void* window) {
        return DrawImage(into, flagPointers, window, "444444444444", baseArg().c_str(), 10, 5);
    };
    ASSERT_EQ(draw(targets, &window), 0);
    EXPECT_EQ(std::vector<int>(flags, flags + 7), (std::vector<int>{1, 0, 0, 1, 0, 0, 1}));
    for (int slot : {0, 3, 6}) EXPECT_TRUE(showsFourColours(surfaces[slot], 10, 5)) << slot;
    for (int slot : {1, 2, 4, 5}) EXPECT_TRUE(surfaces[slot].untouched()) << slot;
    EXPECT_EQ(messages, Strings{"Could not load image (hr failure)"});

    // Without the first surface or a window nothing is drawn; a missing later surface or flag
    // pointer only leaves out its own slot.
    std::fill(flags, flags + 7, 0);
    DrugSurface* noFirst[7] = {nullptr,    targets[1], targets[2], targets[3],
                               targets[4], targets[5], targets[6]};
    EXPECT_EQ(draw(noFirst, &window), 0);
    EXPECT_EQ(draw(targets, nullptr), 0);
    EXPECT_EQ(std::vector<int>(flags, flags + 7), std::vector<int>(7, 0));
    targets[3] = nullptr;
    flagPointers[6] = nullptr;
    EXPECT_EQ(draw(targets, &window), 0);
    EXPECT_EQ(std::vector<int>(flags, flags + 7), (std::vector<int>{1, 0, 0, 0, 0, 0, 0}));
}

// The file cut after `fraction` of its bytes, then closed with an end marker as if whole.
std::string cutShortButClosed(const std::string& jpeg, double fraction) {
    return jpeg.substr(0, static_cast<std::size_t>(jpeg.size() * fraction)) + "\xFF\xD9";
}

// A progressive file closed with an end marker right before its `n`th scan (from 1).
std::string scansBefore(const std::string& jpeg, int n) {
    std::size_t at = 0;
    for (int scan = 0; scan < n; ++scan) at = jpeg.find("\xFF\xDA", at + 1);
    return jpeg.substr(0, at) + "\xFF\xD9";
}

// The file with a restart marker standing in the middle of its picture data.
std::string withStrayMarker(std::string jpeg) {
    const std::size_t data = jpeg.find("\xFF\xDA");
    return jpeg.insert(data + (jpeg.size() - data) / 2, "\xFF\xD3");
}

TEST_P(Photographs, TheLoaderReportsTheStepThatFailedAndDrawsNothing) {
    const std::string good = encode(fourColours());
    const std::string progressive = encode(fourColours(), {.progressive = true});
    const char* kNoPicture = "Could not load image (pgpPicture failure)";
    const std::pair<std::string, const char*> cases[] = {
        {"", "Could not lock memory for image"},
        {"これは写真ではありません。\n", "Could not load image (hr failure)"},
        {good.substr(0, good.size() / 2), kNoPicture},
        {good.substr(0, 200), "Could not load image (hr failure)"},
        {good.substr(0, good.find("\xFF\xDA") + 20), kNoPicture},
        {cutShortButClosed(good, 0.6), kNoPicture},
        {cutShortButClosed(progressive, 0.6), kNoPicture},
        {scansBefore(progressive, 3), kNoPicture},
        {withStrayMarker(good), kNoPicture},
    };
    for (const auto& [bytes, message] : cases) {
        messages.clear();
        Surface s(140, 105);
        EXPECT_EQ(drawFile(photo("bad.jpg", bytes), s), 0) << message;
        EXPECT_TRUE(s.untouched()) << message;
        EXPECT_EQ(messages, Strings{message}) << bytes.size() << " bytes";
    }
    // Missing files and folders named like photographs say nothing.
    messages.clear();
    std::filesystem::create_directories(data.path() / "folder.jpg");
    for (const char* name : {"missing.jpg", "folder.jpg"}) {
        Surface s(140, 105);
        EXPECT_EQ(drawFile(data.path() / name, s), 0);
    }
    EXPECT_EQ(OridginalImage(nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_P(Photographs, EveryKindOfJpegIsDrawnUpright) {
    using testjpeg::Colour;
    struct Case {
        const char* name;
        testjpeg::Options options;
        bool withoutEndMarker;
    };
    const Case cases[] = {
        {"baseline", {}, false},
        {"progressive", {.progressive = true}, false},
        {"Adobe CMYK", {.colour = Colour::AdobeCmyk}, false},
        {"plain CMYK, progressive", {.colour = Colour::PlainCmyk, .progressive = true}, false},
        {"low quality", {.quality = 40}, false},
        {"whole but without its end marker", {}, true},
        {"progressive, whole but without its end marker", {.progressive = true}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = encode(fourColours(), c.options);
        if (c.withoutEndMarker) bytes.resize(bytes.size() - 2);
        Surface s(140, 105);
        EXPECT_EQ(drawFile(photo("kind.jpg", bytes), s), 1);
        EXPECT_TRUE(showsFourColours(s));
    }
    EXPECT_TRUE(messages.empty());
    // A greyscale photograph: four grey levels, left to right and top to bottom.
    Surface s(140, 105);
    drawFile(photo("grey.jpg",
                   encode(testjpeg::quadrants(320, 240, 0x202020, 0x606060, 0xA0A0A0, 0xE0E0E0),
                          {.colour = Colour::Grey})),
             s);
    EXPECT_TRUE(shows(s.at(35, 26), 0x202020, 12) && shows(s.at(105, 26), 0x606060, 12) &&
                shows(s.at(35, 78), 0xA0A0A0, 12) && shows(s.at(105, 78), 0xE0E0E0, 12));
}

TEST_P(Photographs, TheExifOrientationOfAPhoneCameraIsHonoured) {
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
            Surface s(140, 105);
            drawFile(photo("phone.jpg", encode(picture, {.exifOrientation = c.orientation,
                                                         .bigEndianExif = bigEndian})),
                     s);
            EXPECT_TRUE(showsFourColours(s)) << "orientation " << c.orientation;
        }
    }
}

TEST_P(Photographs, DrawingIsClippedToTheSurface) {
    const auto file = photo("p.jpg", encode(fourColours()));
    // Only the yellow bottom-right quadrant falls on this small surface, down to its row 44.
    Surface s(60, 50);
    EXPECT_EQ(drawFile(file, s, -80, -60), 1);
    EXPECT_TRUE(shows(s.at(0, 0), kYellow) && shows(s.at(59, 44), kYellow));
    EXPECT_EQ(s.at(0, 45), kUntouched);
    EXPECT_EQ(s.at(59, 49), kUntouched);
    // A surface whose rows are shorter than its width claims is not drawn on.
    Surface bad(140, 105);
    bad.surface.bytesPerLine = 100;
    EXPECT_EQ(drawFile(file, bad), 0);
    EXPECT_TRUE(bad.untouched());
}

TEST_P(Photographs, FindFileLooksForTheCodeAsGivenInsideItsFolderOnly) {
    writeFile(supplied(5, "555555555555"), "x");
    writeFile(supplied(1, "ＡＢ"), "x");
    writeFile(base() / "777.jpg", "x");
    writeFile(base() / "secret.jpg", "x");
    const std::tuple<int, std::string, int> cases[] = {
        {5, "555555555555", 1},
        {4, "555555555555", 0},
        {1, sjis::fromUtf8("ＡＢ"), 1},  // not converted
        {1, "AB", 0},
        {0, "777", 1},
        {9, "777", 1},
        {1, "../../secret", 0},
        {1, "", 0},
    };
    for (const auto& [n, code, found] : cases)
        EXPECT_EQ(FINDFILE(n, code.c_str(), baseArg().c_str()), found) << n << " " << code;
    EXPECT_EQ(FINDFILE(1, nullptr, nullptr), 0);
}

TEST_P(Photographs, ADatabaseFailureIsReportedAndNothingIsDrawn) {
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
    EXPECT_EQ(messages, Strings(2, "Error:DATABASE.Open"));
}

}  // namespace

INSTANTIATE_ON_BOTH_ENGINES(Photographs);
