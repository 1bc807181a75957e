// Amounts of a read prescription that contradict each other or cannot be right: the uneven
// amounts (221) or the amount per intake (241) against the drug record's amount, and a zero
// amount. Each gives that drug a check, so that it waits for the pharmacist rather than
// reaching a leaflet with one of the two amounts.
#pragma once

#include "prescription/prescription.h"

namespace prescription {

void checkAmounts(Prescription& prescription);

}  // namespace prescription
