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
#include "entry_builder.h"
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
        d.setPrescribedBy({"institution", "13", 1, "1234567", "", ""});
        c.change(d);
        // Only a cleared list forgets the institution of the prescription it came from.
        EXPECT_EQ(d.prescribedBy() == leaflet::PrescribedBy{},
                  std::string(c.name).starts_with("clear"));
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(changed.count(), c.told.empty() ? 0 : 1);
        EXPECT_EQ(m.rowCount(), c.rowsAfter);
        EXPECT_EQ(d.printList().count(), c.rowsAfter);
    }
}

// The print list's columns: name, the five timings (halves as ".5", none empty), then the texts.
TEST(Desk, TheModelShowsEachFieldInItsColumn) {
    ScriptedPrompts prompts;
    desk::Desk d{prompts};
    desk::PrintListModel m{d};
    const DrugRecord entry = EntryBuilder()
                                 .name("n")
                                 .timings({1, 101, 0, 2, 0})
                                 .usage("u")
                                 .amount("a")
                                 .days("d")
                                 .build();
    d.append(entry, nullptr);
    QStringList cells;
    for (int column = 0; column <= 8; ++column) cells << m.index(0, column).data().toString();
    EXPECT_EQ(cells.join("|"), "n|1|1.5||2||u|a|d");
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

// The print list belongs to one patient: another one is put in only after the operator agreed
// to empty the list; refused, the list's patient is shown again. Drugs left in the list belong
// to the patient shown afterwards: another ID under that name asks again.
TEST(DeskPatient, AnotherPatientReplacesAListOfDrugsOnlyWhenTheOperatorAgrees) {
    struct Case {
        const char* name;
        const char* ownerId;    // the patient the drug was put in for (none without a name),
        const char* ownerName;  // then the list emptied or not
        bool emptied;
        const char* nextId;
        const char* nextName;
        const char* asked;  // whose drugs the question names; none when no question is asked
        bool yes;           // its answer
        int rowsAfter;
    };
    const Case cases[] = {
        {"same patient again", "12", "花子", false, " 12", "花子", nullptr, false, 1},
        {"list emptied", "12", "花子", true, "13", "次郎", nullptr, false, 0},
        {"drugs put in for nobody", "", nullptr, false, "13", "次郎", nullptr, false, 1},
        {"a typed name found registered", "", "花子", false, "12", "花子", nullptr, false, 1},
        {"another patient, kept", "12", "花子", false, "13", "次郎", "花子", false, 1},
        {"another patient, emptied", "12", "花子", false, "13", "次郎", "花子", true, 0},
        {"an ID without a name", "12", "", false, "13", "次郎", "ＩＤ 12", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompts prompts;
        desk::Desk d{prompts};
        if (c.ownerName) d.applyPatient(c.ownerId, c.ownerName);
        d.append(drug('A'), nullptr);
        if (c.emptied) d.remove(0);
        d.setIdText(c.nextId);  // typed into the box before the register is asked
        if (c.asked) prompts.yesNo = {c.yes};

        const bool changed = !c.asked || c.yes;
        EXPECT_EQ(d.changePatient(c.nextId, c.nextName, nullptr), changed);
        ASSERT_EQ(prompts.shown.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(d.printList().count(), c.rowsAfter);
        EXPECT_EQ(d.patient().name, changed ? c.nextName : c.ownerName);
        EXPECT_EQ(d.patient().idText, changed ? c.nextId : c.ownerId);
        if (c.asked) {
            EXPECT_EQ(prompts.shown[0].text, "印刷リストには" + std::string(c.asked) +
                                                 "様の薬剤が入っています。\r\n"
                                                 "印刷リストを空にして、患者を切り替えますか？");
            EXPECT_EQ(prompts.shown[0].preset, ui::Default::No);
        }
        if (c.rowsAfter > 0) {
            prompts.yesNo = {false};
            EXPECT_FALSE(d.changePatient("14", d.patient().name, nullptr));
        }
    }
}

}  // namespace
