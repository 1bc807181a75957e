// A patient's register record and stored history texts, through the patient library's own
// calls: the slots' stamps as the history-date list shows them, then each slot recalled by its
// time.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "leaflet/history_text.h"
#include "patientbase.h"
#include "sjis/sjis.h"

// Registers patient `id` named `utf8Name`, born on the era date given (none when zero).
inline void registerPatient(int id, const std::string& utf8Name, int era = 0, int year = 0,
                            int month = 0, int day = 0, int sex = 0) {
    PatientRecord patient{};
    patient.ID = id;
    sjis::copyField(patient.PATIENT, sizeof patient.PATIENT, sjis::fromUtf8(utf8Name));
    std::tie(patient.NENGO, patient.YEAR, patient.MONTH, patient.DAY, patient.SEX) =
        std::tie(era, year, month, day, sex);
    ASSERT_EQ(LRecordCreate(&patient), 0) << id;
}

// The stamps of patient `id`'s slots as the list shows them, newest first.
inline std::vector<std::string> historyStamps(int id) {
    std::vector<std::string> stamps;
    const PatientListSink sink{
        &stamps,
        [](void* c, const char* t) { static_cast<std::vector<std::string>*>(c)->push_back(t); },
        nullptr};
    EXPECT_EQ(LRecordRIREKIDate(id, &sink), 0);
    return stamps;
}

// The slot time text "YYYY/MM/DD hh:mm:ss" of a listed stamp, from its 14 digits.
inline std::string slotTime(const std::string& listed) {
    std::string d;
    for (char c : listed)
        if (c >= '0' && c <= '9') d += c;
    return d.substr(0, 4) + "/" + d.substr(4, 2) + "/" + d.substr(6, 2) + " " + d.substr(8, 2) +
           ":" + d.substr(10, 2) + ":" + d.substr(12, 2);
}

// The stored texts of patient `id`, newest first.
inline std::vector<std::string> storedHistories(int id) {
    std::vector<std::string> texts;
    for (const std::string& listed : historyStamps(id)) {
        const std::string key = slotTime(listed);
        std::string out(leaflet::kStoredHistoryLength + 1, '\0');
        EXPECT_EQ(LRecordRIREKIDisplay(id, key.c_str(), out.data()), 1) << key;
        texts.push_back(out.c_str());
    }
    return texts;
}
