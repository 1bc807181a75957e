// Every history text a patient has stored, read back through the patient library's own calls:
// the slots' stamps as the history-date list shows them, then each slot recalled by its time.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "leaflet/history_text.h"
#include "patientbase.h"

// The stored texts of patient `id`, newest first.
inline std::vector<std::string> storedHistories(int id) {
    std::vector<std::string> stamps;
    const PatientListSink sink{
        &stamps,
        [](void* c, const char* t) { static_cast<std::vector<std::string>*>(c)->push_back(t); },
        nullptr};
    EXPECT_EQ(LRecordRIREKIDate(id, &sink), 0);
    std::vector<std::string> texts;
    for (const std::string& listed : stamps) {
        std::string d;  // the list form's 14 digits make the slot time text
        for (char c : listed)
            if (c >= '0' && c <= '9') d += c;
        const std::string key = d.substr(0, 4) + "/" + d.substr(4, 2) + "/" + d.substr(6, 2) + " " +
                                d.substr(8, 2) + ":" + d.substr(10, 2) + ":" + d.substr(12, 2);
        std::string out(leaflet::kStoredHistoryLength + 1, '\0');
        EXPECT_EQ(LRecordRIREKIDisplay(id, key.c_str(), out.data()), 1) << key;
        texts.push_back(out.c_str());
    }
    return texts;
}
