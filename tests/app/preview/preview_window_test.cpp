// The preview window on real widgets (offscreen): page turns, the indicator, the scroll bar's
// rules as the painted window shows them, printing and saving as PDF.
#include "preview/preview_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "page_image.h"
#include "pdf_reading.h"
#include "preview/preview_scroll.h"
#include "sample_leaflet.h"
#include "scripted_prompts.h"
#include "temp_dir.h"
#include "widget_driving.h"

namespace {

namespace fs = std::filesystem;
using Action = QAbstractSlider::SliderAction;

// Screen widths and heights without task bars.
const QSize kSmallScreen(1024, 728);
const QSize kLargeScreen(1920, 1040);
const QSize kLaptopScreen(1366, 728);

class PreviewTest : public ::testing::Test {
  protected:
    // Opens the preview of a leaflet of `drugs` drugs, as the main window opens it.
    leaflet::PreviewWindow& open(int drugs, QSize screen = kSmallScreen) {
        return open(SampleLeaflet::numberedDrugs(drugs), screen);
    }
    leaflet::PreviewWindow& open(std::vector<DrugRecord> drugs, QSize screen = kSmallScreen) {
        leaflet_ = std::make_unique<SampleLeaflet>(std::move(drugs));
        window_ = std::make_unique<leaflet::PreviewWindow>(
            leaflet_->composer, prompts, [this](QWidget* owner) { printOwners.push_back(owner); },
            nullptr, screen);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        return *window_;
    }
    template <class W>
    W* find(const char* name) {
        return child<W>(window_.get(), name);
    }
    QString pageText() { return find<QLineEdit>("pageText")->text(); }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    void scroll(Action action) { find<QScrollBar>("previewScrollBar")->triggerAction(action); }
    // Whether the painted window shows the page image from row `offset` at its top.
    bool showsFromRow(int offset) {
        const QImage shown = window_->grab().toImage();
        const QImage& page = window_->surface();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 710; x += 3)
                if (shown.pixel(x, y) != page.pixel(x, offset + y)) return false;
        return true;
    }

    ScriptedPrompts prompts;
    std::vector<QWidget*> printOwners;
    std::unique_ptr<SampleLeaflet> leaflet_;
    std::unique_ptr<leaflet::PreviewWindow> window_;
};

TEST_F(PreviewTest, PageButtonsTurnThroughThePagesAndPrintingLeavesThePreviewOpen) {
    leaflet::PreviewWindow* window = &open(1);
    click("nextPageButton");
    EXPECT_EQ(window->currentPage(), 0) << "one page cannot be turned";
    EXPECT_EQ(pageText().toStdString(), " 1 / 1 ﾍﾟｰｼﾞ");

    window = &open(13);
    const QImage first = window->surface();
    // A dark header rule (layout y = 193) scaled from pixel row 96 of 2,090 to about row 45.
    EXPECT_GT(inkPixels(first, 100, 43, 600, 48), 400);
    scroll(Action::SliderSingleStepAdd);
    click("nextPageButton");
    EXPECT_EQ(window->currentPage(), 1);
    EXPECT_EQ(pageText().toStdString(), " 2 / 3 ﾍﾟｰｼﾞ");
    EXPECT_NE(window->surface(), first);
    EXPECT_EQ(window->viewOffset(), 0);  // a new page is shown from its top
    EXPECT_EQ(find<QScrollBar>("previewScrollBar")->value(), 0);
    click("nextPageButton");
    click("nextPageButton");
    EXPECT_EQ(pageText().toStdString(), " 3 / 3 ﾍﾟｰｼﾞ");
    for (int i = 0; i < 3; ++i) click("previousPageButton");
    EXPECT_EQ(pageText().toStdString(), " 1 / 3 ﾍﾟｰｼﾞ");
    EXPECT_EQ(window->surface(), first);

    bool stillOpen = false;
    QTimer::singleShot(0, window, [&] {
        click("printButton");
        stillOpen = window->isVisible();
        click("closeButton");
    });
    EXPECT_EQ(window->exec(), QDialog::Rejected);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(printOwners, std::vector<QWidget*>{window});
}

// The window's height and scroll bar follow the screen, and so does the row the thumb dragged
// to the end shows. On a wide but low screen (1366 x 768 with a task bar: the tall window would
// not fit) every step reaches the page's last rows.
TEST_F(PreviewTest, ScrollBarAndSizeFollowTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& [screen, height, scrolls, dragged] : {std::tuple{kLargeScreen, 971, false, 0},
                                                           {kSmallScreen, 705, true, 303},
                                                           {QSize(1920, 900), 860, true, 120},
                                                           {kLaptopScreen, 688, true, 292}}) {
        SCOPED_TRACE(screen.width());
        auto& window = open(1, screen);
        auto* bar = find<QScrollBar>("previewScrollBar");
        EXPECT_EQ(bar->isEnabled(), scrolls);
        EXPECT_EQ(bar->geometry(), QRect(710, 0, 20, height));
        EXPECT_EQ(window.height(), height);
        // At the top and centred, give or take the frame the platform may add after placing.
        const QRect frame = window.frameGeometry();
        EXPECT_EQ(frame.top(), area.top());
        EXPECT_LE(std::abs((frame.left() - area.left()) - (area.right() - frame.right())), 4);
        if (!scrolls) continue;
        bar->setSliderPosition(100);
        EXPECT_EQ(window.viewOffset(), dragged);
        EXPECT_TRUE(showsFromRow(dragged));
        if (screen != kLaptopScreen) continue;
        scroll(Action::SliderPageStepSub);
        EXPECT_EQ(window.viewOffset(), 0);
        for (int i = 0; i < 4; ++i) scroll(Action::SliderSingleStepAdd);
        EXPECT_EQ(window.viewOffset(), 980 - height) << "line steps reach the page's last row";
        scroll(Action::SliderPageStepSub);
        scroll(Action::SliderPageStepAdd);
        EXPECT_EQ(window.viewOffset(), 980 - height);
    }
}

TEST(PreviewFit, ScreenBoundaries) {
    struct Case {
        const char* name;
        int width, available, height;
        bool scrolls;
    };
    const Case cases[] = {
        {"1,280 wide with room for the tall window and frame", 1280, 1011, 971, false},
        {"too low for the control column", 1920, 300, 420, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const leaflet::PreviewFit fit = leaflet::fitPreview(c.width, c.available);
        EXPECT_EQ(std::pair(fit.height, fit.scrolls), std::pair(c.height, c.scrolls));
    }
}

TEST_F(PreviewTest, ScrollingMovesThePaintedPage) {
    auto& window = open(1);
    auto* bar = find<QScrollBar>("previewScrollBar");
    const auto at = [&](int position, int offset) {
        EXPECT_EQ(window.scrollPosition(), position);
        EXPECT_EQ(bar->value(), position);
        EXPECT_EQ(window.viewOffset(), offset);
        EXPECT_TRUE(showsFromRow(offset)) << offset;
    };
    EXPECT_TRUE(showsFromRow(0));

    bar->setSliderPosition(100);  // the thumb dragged to the end
    at(100, 303);
    bar->setSliderPosition(33);
    at(33, 99);

    scroll(Action::SliderToMinimum);
    scroll(Action::SliderSingleStepAdd);
    at(25, 68);
    for (int i = 0; i < 4; ++i) scroll(Action::SliderSingleStepAdd);
    at(100, 275);
    scroll(Action::SliderPageStepSub);  // keeps the offsets' difference
    at(0, 31);
    scroll(Action::SliderSingleStepSub);
    at(0, 0);

    scroll(Action::SliderPageStepAdd);
    at(100, 275);
    scroll(Action::SliderSingleStepSub);
    scroll(Action::SliderPageStepSub);  // from 75: below the top, so back to the top
    at(0, 0);

    QWheelEvent wheelDown(QPointF(300, 300), window.mapToGlobal(QPointF(300, 300)), {}, {0, -240},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&window, &wheelDown);
    at(50, 137);
}

TEST_F(PreviewTest, SavePdfWritesTheWholeLeafletOrNothing) {
    open(13);
    TempDir dir;
    const fs::path file = dir.path() / "見本花子.pdf";
    prompts.files.push_back(QString::fromStdString(file.string()));
    click("savePdfButton");
    const std::string info = pdfInfo(file.string());
    EXPECT_NE(info.find("Pages:3"), std::string::npos) << info;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);  // no temporary left
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "PDF保存");
    EXPECT_EQ(prompts.shown[0].icon, ui::Icon::Information);

    const fs::path nowhere = dir.path() / "missing" / "leaflet.pdf";
    prompts.files.push_back(QString::fromStdString(nowhere.string()));
    click("savePdfButton");
    EXPECT_FALSE(fs::exists(nowhere.parent_path()));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].icon, ui::Icon::Warning);
    EXPECT_NE(prompts.shown[1].text.find("保存できませんでした"), std::string::npos);

    prompts.files.push_back(QString());  // cancelled: nothing written, nothing said
    click("savePdfButton");
    EXPECT_EQ(prompts.shown.size(), 2u);

    // A name typed without an extension gets ".pdf"; one with an extension keeps it.
    prompts.files.push_back(QString::fromStdString((dir.path() / "見本一郎").string()));
    click("savePdfButton");
    EXPECT_TRUE(fs::exists(dir.path() / "見本一郎.pdf"));
    EXPECT_FALSE(fs::exists(dir.path() / "見本一郎"));
    EXPECT_EQ(leaflet::withPdfSuffix("/tmp/a.PDF"), "/tmp/a.PDF");
    EXPECT_EQ(leaflet::withPdfSuffix("/tmp/v1.2/a"), "/tmp/v1.2/a.pdf");
}

TEST_F(PreviewTest, DrugsWhoseTextsDoNotFitTheirRowAreNamedBesideThePage) {
    open(2, kLargeScreen);
    EXPECT_FALSE(find<QLabel>("overflowNotice")->isVisible()) << "every text fits";

    std::vector<DrugRecord> drugs = SampleLeaflet::numberedDrugs(3);
    sjis::copyField(drugs[1].CYUUI, sizeof drugs[1].CYUUI, digits(499));
    sjis::copyField(drugs[2].SAYOA, sizeof drugs[2].SAYOA, digits(281));
    const leaflet::PreviewWindow& window = open(drugs);
    const auto* notice = find<QLabel>("overflowNotice");
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text().toStdString(), "一部の説明文が欄に収まりません：見本錠2号、見本錠3号");
    EXPECT_GE(notice->x(), 730) << "beside the page, not over it";
    EXPECT_TRUE(window.rect().contains(notice->geometry()));
}

}  // namespace
