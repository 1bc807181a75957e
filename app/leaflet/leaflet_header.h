// What a leaflet shows besides its rows, gathered by the windows from the main window's boxes,
// the user settings and the patient register: the header and comment texts, and whether and with
// what patient data the e-medication-handbook codes are printed. Texts are CP932.
#pragma once

#include <string>
#include <vector>

#include "drugbase.h"

namespace leaflet {

// What the patient register holds of the patient in the ID box, for the e-medication-handbook
// codes; left as it is when the box holds no registered patient.
struct RegisteredPatient {
    int sex = 0;             // 0 not known, 1 male, 2 female
    std::string birthDate;   // YYYYMMDD, empty when not known
    std::string allergy;     // allergy history
    std::string sideEffect;  // side-effect history
};

// The pharmacy as stored with the data, for the e-medication-handbook codes; empty fields are
// not set.
struct PharmacyDetails {
    std::string name;        // the name the codes give; the pharmacy name box's when empty
    std::string prefecture;  // two digits
    std::string code;        // institution code
    std::string postalCode;
    std::string address;
    std::string telephone;
};

// The institution and doctor of the prescription code the print list was filled from; empty
// when the prescriber was chosen or typed by hand.
struct PrescribedBy {
    std::string institution;
    std::string prefecture;
    int feeTable = 0;  // 1 medical, 3 dental; 0 when not known
    std::string code;
    std::string doctor;
    std::string department;

    bool operator==(const PrescribedBy&) const = default;
};

struct LeafletHeader {
    std::string patientName;
    std::string patientId;
    std::string prescriber;    // the selected or typed prescriber text
    std::string pharmacist;    // the selected or typed pharmacist text
    std::string pharmacyName;  // shown only for a dispensing pharmacy
    std::string comment;       // printed at the foot of every page; lines end with CR LF or LF
    bool dispensingPharmacy = false;  // business type 調剤薬局 (else 病院（医院）)
    bool colour = false;              // カラフル: the gothic texts in their colours
    bool handbookCodes = false;       // the e-medication-handbook codes go on the last page
    bool pictograms = false;          // usage pictograms under each drug's usage
    bool largePrint = false;          // the rows about 1.4 times as large, fewer on a page
    bool genericInfo = false;         // generic-drug information under each drug's name
    // The drug master's generic facts of the entries, in print-list order; an entry beyond its
    // end has none.
    std::vector<DrugGenericFacts> genericFacts;
    RegisteredPatient registered;
    PharmacyDetails pharmacy;
    PrescribedBy prescribedBy;
};

}  // namespace leaflet
