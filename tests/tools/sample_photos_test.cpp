// samplephotos writes two JPEG pictures for every drug of the catalogue; drawing them is the
// drug library's.
#include "sample_photos.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include "admin_fixture.h"

TEST_F(AdminTest, EverySampleDrugGetsTwoPictures) {
    int argc = 1;
    char name[] = "sample_photos_test";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    ok({"init", folder()});
    ok({"load-catalogue", folder(), SAMPLE_CATALOGUE});
    ok({"list", folder()});
    std::istringstream listed(out.str());
    out.str("");
    ASSERT_EQ(samplephotos::writeSamplePhotos(dir.path(), out, err), 0) << err.str();
    EXPECT_EQ(out.str().find("41 drugs: sample photographs in "), 0u) << out.str();

    int drugs = 0;
    const auto photo = [&](int n, const std::string& code) {
        return QString::fromStdString(
            (dir.path() / "薬剤写真" / ("PHOTO" + std::to_string(n)) / (code + ".jpg")).string());
    };
    std::string line;
    std::getline(listed, line);  // the heading
    while (std::getline(listed, line) && line.find('\t') != std::string::npos) {
        const std::string code = line.substr(0, line.find('\t'));
        ++drugs;
        EXPECT_FALSE(QImage(photo(1, code)).isNull() || QImage(photo(2, code)).isNull()) << code;
        EXPECT_FALSE(QFile::exists(photo(3, code))) << code;
    }
    EXPECT_EQ(drugs, 41);
}
