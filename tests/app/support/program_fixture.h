// A program folder with the sample catalogue, started as the program starts, with the main
// window open and the prompts scripted.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <sstream>

#include "admin.h"
#include "scripted_prompts.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "temp_dir.h"

// Types text one character at a time, as a keyboard or an input method delivers it.
inline void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

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
        state = std::make_unique<shell::AppState>(prompts);
        if (!shell::startUp(*state, dir.path())) return false;
        window = std::make_unique<shell::MainWindow>(*state);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get())) ADD_FAILURE() << "window not active";
        return window->loadDrugList();
    }

    template <class W>
    W* find(const char* name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Runs `act` on the modal dialog named `name` as soon as the next step opens it; fails when
    // it does not appear within a few seconds.
    static void whenModal(const char* name, std::function<void(QWidget*)> act) {
        whenShown(name, act, &QApplication::activeModalWidget);
    }
    // The same for a pop-up menu.
    static void whenPopup(const char* name, std::function<void(QWidget*)> act) {
        whenShown(name, act, &QApplication::activePopupWidget);
    }

    TempDir dir;
    ScriptedPrompts prompts;
    std::unique_ptr<shell::AppState> state;
    std::unique_ptr<shell::MainWindow> window;

  private:
    static void whenShown(const char* name, std::function<void(QWidget*)> act,
                          QWidget* (*active)()) {
        auto* timer = new QTimer;
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout,
                         [timer, tries, name = QString(name), act, active] {
                             QWidget* modal = active();
                             if (modal && modal->objectName() == name) {
                                 timer->deleteLater();
                                 timer->stop();
                                 act(modal);
                             } else if (++*tries > 300) {
                                 timer->deleteLater();
                                 timer->stop();
                                 ADD_FAILURE() << "no window " << name.toStdString() << " appeared";
                             }
                         });
        timer->start(10);
    }
};
