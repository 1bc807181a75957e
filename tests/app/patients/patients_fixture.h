// The program started on a sample folder with a handful of registered patients, and the patient
// screen opened from the main window as the operator opens it.
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <string>

#include "data/patient_register.h"
#include "folderkey/file_key.h"
#include "patients/patient_screen.h"
#include "program_fixture.h"
#include "shell/patient_file_command.h"
#include "sjis/sjis.h"
#include "sqlkit/sqlcipher.h"
#include "stored_histories.h"

class PatientScreenTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(start());
        desk->settings.saveHistory = 0;
    }

    // Stores `text` in the patient's history and moves its stamp to `stamp`
    // ('YYYY-MM-DD HH:MM:SS'), as if the leaflet had been stored then.
    void storeHistoryAt(int id, const std::string& text, const std::string& stamp) {
        // Slots fill from the lowest empty one; these tests never empty one before storing.
        std::vector<data::HistoryEntry> before;
        ASSERT_EQ(registry.historyEntries(id, before), data::DataResult::kDone);
        ASSERT_EQ(registry.storeHistory(id, text), data::DataResult::kDone);
        const auto database = dir.path() / "データベース";
        auto db = sqlkit::openEncrypted(database / "患者ファイル.mdb",
                                        *folderkey::fileKeyIn(database, nullptr), nullptr);
        ASSERT_TRUE(db->exec("UPDATE Patient_Information SET N" + std::to_string(before.size()) +
                             " = '" + stamp + "' WHERE ID = " + std::to_string(id)))
            << db->lastError();
    }

    // Makes `w` the active window, as a click on it would.
    static bool activate(QWidget* w) {
        w->activateWindow();
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
    }
    // Presses F1 in the main window; the screen that opens, listed and active.
    patients::PatientScreen* openScreen() {
        EXPECT_TRUE(activate(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F1);
        patients::PatientScreen* s = window->patientFile().screen();
        EXPECT_TRUE(s && activate(s));
        return s;
    }

    // Presses a function key in the patient screen, made active first.
    void press(Qt::Key key) {
        ASSERT_TRUE(activate(window->patientFile().screen()));
        QTest::keyClick(in<QTableView>("patientList"), key);
    }

    template <class W>
    W* in(const char* name) {
        return child<W>(window->patientFile().screen(), name);
    }

    // A view's column as shown, row by row.
    static QStringList columnOf(const QTableView* v, int c) {
        QStringList out;
        for (int r = 0; r < v->model()->rowCount(); ++r)
            out << v->model()->data(v->model()->index(r, c)).toString();
        return out;
    }
    QStringList column(const char* view, int c) { return columnOf(in<QTableView>(view), c); }
    int selectedId() { return window->patientFile().screen()->selectedId(); }
    // Clicks row `row` of the patient list.
    void clickRow(int row) {
        auto* v = in<QTableView>("patientList");
        const QRect cell = v->visualRect(v->model()->index(row, 0));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QStringList dates() {
        QStringList out;
        auto* list = in<QListWidget>("historyDateList");
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }

    data::PatientRegister registry;
};
