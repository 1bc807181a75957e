// Window tests of the dosage folder: the phrase store on a temporary folder, the five tables
// read from it, scripted prompts, and helpers to type and to answer modal windows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dosage/phrase_tables.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

class PhraseStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(DRecordOpen(dir.path().string().c_str(), nullptr), 0);
        DRecordSetMessageHandler([](void* c, const char*) { ++*static_cast<int*>(c); },
                                 &storeMessages);
        tables.readAll();
    }
    void TearDown() override { DRecordSetMessageHandler(nullptr, nullptr); }

    // The list as the store would deliver it at the next start.
    dosage::PhraseTable stored(int list) {
        dosage::PhraseTable table{};
        EXPECT_EQ(DRecordREAD(table.data(), list), 0);
        return table;
    }

    TempDir dir;
    dosage::PhraseTables tables;
    ScriptedPrompts prompts;
    int storeMessages = 0;
};

// Types text one character at a time, as a keyboard or an input method delivers it.
inline void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Runs `act` on the modal window named `name` as soon as the next step opens it.
inline void whenModal(const char* name, std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [name = QString(name), act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->objectName() == name)
            act(modal);
        else
            ADD_FAILURE() << "no window " << name.toStdString() << " is open";
    });
}
