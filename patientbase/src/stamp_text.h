// History time stamps: the stored form in the file and the three text forms the screens use.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace patientbase {

// A local date and time to the second.
struct Stamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    // A number that orders stamps as dates (YYYYMMDDhhmmss); never 0 for a stamp.
    long long order() const;
    bool operator==(const Stamp&) const = default;
};

// The current local time.
Stamp now();

// The stamp one second after `stamp`, across minutes, days, months and years.
Stamp nextSecond(const Stamp& stamp);

// The stored form "YYYY-MM-DD HH:MM:SS", which sorts and compares as the dates do.
std::string storedForm(const Stamp& stamp);

// Reads the stored form; nothing for NULL ("") or any text that is not a valid date and time,
// which counts as an empty slot.
std::optional<Stamp> parseStored(std::string_view text);

// List form "2009年03月07日 09:05:03" (CP932), as the history-date list shows a stamp.
std::string listForm(const Stamp& stamp);

// Slot time text "2009/03/07 09:05:03", the key of a recall.
std::string slotTimeText(const Stamp& stamp);

// Slot key text "2009/03/07 9:05:03" (the hour without a leading zero), the key of a deletion.
std::string slotKeyText(const Stamp& stamp);

}  // namespace patientbase
