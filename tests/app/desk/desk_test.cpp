// The desk tells what changed row by row, and the print list's model follows without a reset
// except for a whole replacement.
#include "desk/desk.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <functional>
#include <string>
#include <vector>

#include "desk/print_list_model.h"
#include "scripted_prompts.h"

namespace {

DrugRecord drug(char code) {
    DrugRecord r{};
    r.YJCODE[0] = code;
    return r;
}

// What the model tells its views, in order, as "inserted 2-2", "removed 0-1", "changed 1",
// "reset".
void record(desk::PrintListModel& m, std::vector<std::string>& told) {
    const auto rows = [&told](const char* what) {
        return [&told, what](const QModelIndex&, int first, int last) {
            told.push_back(what + std::to_string(first) + "-" + std::to_string(last));
        };
    };
    QObject::connect(&m, &QAbstractItemModel::rowsInserted, rows("inserted "));
    QObject::connect(&m, &QAbstractItemModel::rowsRemoved, rows("removed "));
    QObject::connect(&m, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         EXPECT_EQ(from.row(), to.row());
                         EXPECT_EQ(to.column() - from.column(), m.columnCount() - 1);
                         told.push_back("changed " + std::to_string(from.row()));
                     });
    QObject::connect(&m, &QAbstractItemModel::modelReset, [&told] { told.push_back("reset"); });
}

TEST(Desk, EachChangeReachesTheModelAsTheRowsItConcerns) {
    struct Case {
        const char* name;
        int entries;
        std::function<void(desk::Desk&)> change;
        std::vector<std::string> told;  // by the model
        int rowsAfter;
    };
    ScriptedPrompts prompts;
    leaflet::PrintList recalled;
    recalled.append(drug('R'), nullptr);
    const Case cases[] = {
        {"append", 2, [](desk::Desk& d) { d.append(drug('N'), nullptr); }, {"inserted 2-2"}, 3},
        {"append to a full list",
         30,
         [](desk::Desk& d) { EXPECT_FALSE(d.append(drug('N'), nullptr)); },
         {},
         30},
        {"replace", 3, [](desk::Desk& d) { d.replace(1, drug('N'), nullptr); }, {"changed 1"}, 3},
        {"replace a row not in use",
         3,
         [](desk::Desk& d) { EXPECT_FALSE(d.replace(3, drug('N'), nullptr)); },
         {},
         3},
        {"remove", 3, [](desk::Desk& d) { d.remove(1); }, {"removed 1-1"}, 2},
        {"remove with no row selected", 3, [](desk::Desk& d) { d.remove(-1); }, {}, 3},
        {"clear", 3, [](desk::Desk& d) { d.clear(); }, {"removed 0-2"}, 0},
        {"clear an empty list", 0, [](desk::Desk& d) { d.clear(); }, {}, 0},
        {"recalled leaflet", 3, [&](desk::Desk& d) { d.setList(recalled); }, {"reset"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk::Desk d{prompts};
        desk::PrintListModel m{d};
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
        for (int i = 0; i < c.entries; ++i) d.append(drug('A'), nullptr);
        std::vector<std::string> told;
        record(m, told);
        QSignalSpy changed(&d, &desk::Desk::printListChanged);

        c.change(d);
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(changed.count(), c.told.empty() ? 0 : 1);
        EXPECT_EQ(m.rowCount(), c.rowsAfter);
        EXPECT_EQ(d.printList().count(), c.rowsAfter);
    }
}

TEST(DeskPatient, ChangesAreToldOnceAndKeepTheRegisteredPatientUntilAnotherIsApplied) {
    ScriptedPrompts prompts;
    desk::Desk d{prompts};
    QSignalSpy changed(&d, &desk::Desk::patientChanged);

    d.applyPatient(" 12", "見本　花子");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(d.patient().id, 12);
    d.applyPatient(" 12", "見本　花子");
    EXPECT_EQ(changed.count(), 1) << "nothing changed";

    d.setName("手入力　太郎");
    d.setIdText("");
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(d.patient().id, 12) << "typing keeps the patient leaflets are saved under";
    EXPECT_EQ(d.patient().name, "手入力　太郎");

    d.setPatientId(0);
    EXPECT_EQ(changed.count(), 4);
    EXPECT_EQ(d.patient().id, 0);
    EXPECT_EQ(d.patient().name, "手入力　太郎");
}

}  // namespace
