// A program folder with the sample catalogue, started as the program starts, with the main
// window open and the prompts scripted; leaflets print to PDF files in a folder of their own.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "admin.h"
#include "preview/print_target.h"
#include "scripted_prompts.h"
#include "settings/settings.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "temp_dir.h"
#include "widget_driving.h"

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(admin::initFolder(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(admin::loadCatalogue(dir.path(), SAMPLE_CATALOGUE, out, err), 0) << err.str();
    }
    void TearDown() override {
        window.reset();
        shell::shutDown();
    }

    // Starts up and opens the main window with its drug list; false when start-up refused.
    bool start() {
        desk = std::make_unique<desk::Desk>(prompts);
        if (!shell::startUp(*desk, dir.path())) return false;
        window = std::make_unique<shell::MainWindow>(*desk);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) ADD_FAILURE() << "window not active";
        return window->loadDrugList();
    }

    template <class W>
    W* find(const char* name) {
        return child<W>(window.get(), name);
    }

    // Focus and function keys work in the active window only (after a dialog, make sure).
    void activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Opens the dosage window for the selected drug with F4, types the amounts and confirms.
    // `spinUps` timings are raised first with their spins (composing the texts).
    void setDosage(const std::map<const char*, const char*>& amounts,
                   const std::vector<const char*>& spinUps = {}) {
        activate();
        QTest::keyClick(find<QLineEdit>("nameSearchBox"), Qt::Key_F4);
        QWidget* dosage = window->dosageWindow();
        ASSERT_NE(dosage, nullptr);
        for (const char* spin : spinUps) child<QSpinBox>(dosage, spin)->stepUp();
        for (const auto& [box, text] : amounts) {
            auto* edit = child<QLineEdit>(dosage, box);
            ASSERT_NE(edit, nullptr);
            edit->clear();
            QTest::keyClicks(edit, text);
        }
        child<QPushButton>(dosage, "okButton")->click();
    }

    // The settings file as it is on disk now.
    settings::SettingsBlock savedSettings() {
        settings::SettingsBlock saved{};
        EXPECT_TRUE(settings::loadSettings(desk->settingsFile, saved).ok());
        return saved;
    }

    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<desk::Desk> desk;
    std::unique_ptr<shell::MainWindow> window;
    TempDir jobsDir;
    leaflet::PdfJobs jobs{QString::fromStdString(jobsDir.path().string())};
};
