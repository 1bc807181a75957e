// samplephotos writes two JPEG pictures for every drug of the catalogue; drawing them is the
// drug library's.
#include "sample_photos.h"

#include <QGuiApplication>
#include <QImage>

#include "admin_fixture.h"

using SamplePhotos = AdminTest;

TEST_F(SamplePhotos, EverySampleDrugGetsTwoPictures) {
    int argc = 1;
    char name[] = "sample_photos_test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    ASSERT_EQ(run({"init", folder()}), 0) << err.str();
    ASSERT_EQ(run({"load-catalogue", folder(), SAMPLE_CATALOGUE}), 0) << err.str();
    ASSERT_EQ(run({"list", folder()}), 0) << err.str();
    std::istringstream listed(out.str());
    out.str("");
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    EXPECT_EQ(out.str().find("41 drugs: sample photographs in "), 0u) << out.str();

    int drugs = 0;
    const auto photo = [&](int n, const std::string& code) {
        return dir.path() / "薬剤写真" / ("PHOTO" + std::to_string(n)) / (code + ".jpg");
    };
    std::string line;
    std::getline(listed, line);  // the heading
    while (std::getline(listed, line)) {
        const std::string code = line.substr(0, line.find('\t'));
        if (code == line) continue;  // the count line
        ++drugs;
        for (int n : {1, 2})
            EXPECT_FALSE(QImage(QString::fromStdString(photo(n, code).string())).isNull()) << code;
        EXPECT_FALSE(std::filesystem::exists(photo(3, code))) << code;
    }
    EXPECT_EQ(drugs, 41);
}
