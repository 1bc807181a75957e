// A phrase table as the program holds it, with UTF-8 access to its slots, and a recorder of the
// library's messages.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "dosagebase.h"
#include "sjis/sjis.h"

struct PhraseTable {
    std::vector<char> bytes = std::vector<char>(DOSAGEBASE_TABLE_SIZE, 0);

    char* slot(int i) { return bytes.data() + i * DOSAGEBASE_SLOT_SIZE; }
    std::string_view cp932(int i) { return sjis::fieldText(slot(i), DOSAGEBASE_SLOT_SIZE); }
    std::string text(int i) { return sjis::toUtf8(cp932(i)); }
    void set(int i, const std::string& utf8) {
        sjis::copyField(slot(i), DOSAGEBASE_SLOT_SIZE, sjis::fromUtf8(utf8));
    }
    bool isSeparator(int i) { return cp932(i).starts_with("\r\n"); }
    // The texts of the slots in order, as a list shows them ("" for a separator).
    std::vector<std::string> listed() {
        std::vector<std::string> items;
        for (int i = 0; i < DOSAGEBASE_SLOT_COUNT; ++i)
            if (slot(i)[0] != 0) items.push_back(isSeparator(i) ? "" : text(i));
        return items;
    }
};

class Messages {
  public:
    Messages() {
        DRecordSetMessageHandler(
            [](void* c, const char* t) {
                static_cast<Messages*>(c)->list.push_back(sjis::toUtf8(t));
            },
            this);
    }
    ~Messages() { DRecordSetMessageHandler(nullptr, nullptr); }
    std::vector<std::string> list;
};
