// Window tests of the dosage folder: the phrase store on a temporary folder, the five tables
// read from it, and scripted prompts.
#pragma once

#include <gtest/gtest.h>

#include "phrases/phrase_tables.h"
#include "scripted_prompts.h"
#include "temp_dir.h"
#include "widget_driving.h"

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
