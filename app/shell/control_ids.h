// Control ids of the main window's buttons (they choose the buttons' colours).
#pragma once

namespace shell {

enum MainControlId {
    kPatientFile = 1091,
    kDrugSearch = 1133,
    kDrugDetail = 1008,
    kSetDosage = 1005,
    kPreview = 101,
    kPrint = 1011,
    kCorrectDrug = 900,
    kRegisterDrug = 1088,
    kDeleteDrug = 1013,
    kSameKind = 1128,
    kComment = 1052,
    kBackup = 1189,
    kVersion = 1199,
    kHelp = 1200,
    kEditPrescribers = 1197,
    kEditPharmacists = 1187,
    kRemoveEntry = 1012,
    kClearEntries = 1010,
    kChangeDosage = 1014,
    kSaveHistory = 1016,
    kReadPrescription = 2001,  // beyond the original screen: the prescription code intake
    kPharmacyInfo = 2002,      // beyond the original screen: the pharmacy of the handbook codes
    kSticker = 2003,           // beyond the original screen: the お薬手帳 sticker
    kRepeatLast = 2004,        // beyond the original screen: 前回Do
    kAuditLog = 2005,          // beyond the original screen: the audit trail
    kPrintSettings = 2006,     // beyond the original screen: the leaflet's optional elements
};

}  // namespace shell
