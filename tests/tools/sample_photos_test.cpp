#include <QGuiApplication>

#include "admin_fixture.h"
#include "drugbase.h"
#include "sample_photos.h"

using SamplePhotos = AdminTest;

TEST_F(SamplePhotos, EverySampleDrugGetsBothPicturesAndShowsTheFirst) {
    int argc = 1;
    char name[] = "sample_photos_test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    out.str("");
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    EXPECT_EQ(out.str().find("41 drugs: sample photographs in "), 0u) << out.str();

    ASSERT_EQ(RecordOpen((dir.path() / "データベース").c_str(), nullptr), 0);
    std::vector<std::string> codes;
    const DrugListSink sink{
        &codes,
        [](void* c, const char* t) { static_cast<std::vector<std::string>*>(c)->push_back(t); },
        nullptr};
    int rows = 0, window = 1;
    ASSERT_EQ(RecordDisplay(nullptr, nullptr, nullptr, &sink, &rows, 0), 0);
    std::vector<std::uint32_t> pixels(140 * 105 * 7);
    for (const std::string& code : codes) {
        DrugSurface surfaces[7];
        DrugSurface* targets[7];
        int flags[7] = {};
        int* flagPointers[7];
        for (int i = 0; i < 7; ++i) {
            surfaces[i] = {140, 105, 140 * 4, pixels.data() + i * 140 * 105};
            targets[i] = &surfaces[i];
            flagPointers[i] = &flags[i];
        }
        ASSERT_EQ(DrawImage(targets, flagPointers, &window, code.c_str(), folder().c_str(), 0, 0),
                  0);
        EXPECT_EQ(std::vector<int>(flags, flags + 7), (std::vector<int>{1, 1, 0, 0, 0, 0, 0}))
            << code;
        int shown = 0;
        ASSERT_EQ(PictureImage(targets[0], &shown, &window, code.c_str(), folder().c_str(), 0, 0),
                  0);
        EXPECT_EQ(shown, 1) << code;
    }
    RecordClose();
}
