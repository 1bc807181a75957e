// A leaflet recalled from a patient's medication history: the stored block of one history date
// and its drugs as they are listed on the patient screen, and the transfer of those drugs into
// the print list, record n becoming entry n, with their photographs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/drug_catalogue.h"
#include "data/patient_register.h"
#include "desk/desk.h"
#include "leaflet/history_block.h"
#include "page/print_list.h"

class QWidget;

namespace patients {

// The message naming the codes of the drugs a transfer left out.
std::string missingDrugsText(const std::vector<std::string>& yjcodes);

class HistoryRecall {
  public:
    HistoryRecall(const data::PatientRegister& patients, const data::DrugCatalogue& drugs,
                  std::filesystem::path programFolder);

    // Recalls the leaflet of a history-date line. A line whose slot no longer holds its stamp
    // recalls nothing. False when the register could not be read.
    bool recall(int patientId, const data::HistoryEntry& entry);
    void clear();

    // The recalled drugs with their dosage, without photographs.
    leaflet::PrintList& drugs() { return drugs_; }
    bool empty() const { return drugs_.empty(); }

    // Replaces the desk's print list with the recalled drugs, fetched again with their
    // photographs and their cautions without marks. A drug no longer in the catalogue is left
    // out and named by its code in a message to `owner`; the others move. False, leaving the
    // list as it was, when the catalogue cannot be read.
    bool transferTo(desk::Desk& desk, QWidget* owner = nullptr) const;

    enum class Transfer { kDone, kDeclined, kFailed };
    // transferTo after asking first, default No, when the print list holds entries the
    // operator made: they are not replaced without a word.
    Transfer replacePrintList(desk::Desk& desk, QWidget* owner) const;

  private:
    const data::PatientRegister& patients_;
    const data::DrugCatalogue& catalogue_;
    std::filesystem::path programFolder_;
    leaflet::HistoryBlock block_{};
    leaflet::PrintList drugs_;
};

}  // namespace patients
