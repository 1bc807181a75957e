// The file, the table Patient_Information and where each register column lives in a
// PatientRecord.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "folderkey/file_key.h"
#include "patientbase.h"
#include "sqlkit/dialect.h"

namespace patientbase {

inline constexpr const char* kFileName = "患者ファイル.mdb";
inline constexpr const char* kPassword = folderkey::kBuiltInPassword;
inline constexpr int kSlotCount = 20;
inline constexpr std::size_t kBlockTextLength = 4110;

// A register column with a PatientRecord field; width 0 marks a number.
struct RegisterField {
    const char* name;
    std::size_t offset;
    std::size_t width;
    bool isText() const { return width != 0; }
};

// The fields of PatientRecord in record order, which is also their table order (REGIST, the
// registration stamp, sits between PATIENT and SEX in the table and has no field).
inline constexpr std::size_t kRegisterFieldCount = 14;
extern const std::array<RegisterField, kRegisterFieldCount> kRegisterFields;

// "ID, PATIENT, SEX, ..." in record order.
std::string registerColumnList();

// "N<slot>" and "INFO<slot>".
std::string stampColumn(int slot);
std::string blockColumn(int slot);

// CREATE TABLE with the 55 columns in table order, and the indexes of the lookups and lists.
std::string schemaSql(const sqlkit::Dialect& dialect);

// The statement listing the ID and name of every patient: by ID in order, or for the name order
// unordered with the reading (MEMO), which the caller normalises and sorts since SQL cannot.
// Each walks a narrow index of just those columns, never the wide rows or the search index.
std::string patientListSql(bool byName);

}  // namespace patientbase
