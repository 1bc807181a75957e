// A program folder with the sample catalogue and an empty patient file, the faces opened on its
// database folder and the libraries' messages collected (as UTF-8) for the assertions.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "admin.h"
#include "cp932_texts.h"
#include "data/drug_catalogue.h"
#include "data/library_messages.h"
#include "data/patient_register.h"
#include "layout/data_folder.h"
#include "sjis/sjis.h"
#include "temp_dir.h"

class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::ostringstream out, err;
        ASSERT_EQ(admin::initFolder(dir.path(), out, err), 0) << err.str();
        ASSERT_EQ(admin::loadCatalogue(dir.path(), SAMPLE_CATALOGUE, out, err), 0) << err.str();
        open();
    }
    void TearDown() override {
        catalogue.close();
        patients.close();
    }

    void open() {
        ASSERT_TRUE(catalogue.open(databaseFolder()));
        patients.open(databaseFolder());
    }
    std::filesystem::path databaseFolder() const { return layout::databaseFolder(dir.path()); }

    TempDir dir;
    std::vector<std::string> messages;
    data::LibraryMessages route{
        [this](const std::string& text) { messages.push_back(sjis::toUtf8(text)); }};
    data::DrugCatalogue catalogue;
    data::PatientRegister patients;
};
