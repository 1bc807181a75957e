// When two terminals edited one phrase list: what each side added and removed against the
// list both read, and one side's edit applied again to the list the other side stored. Texts
// are list editor texts: CP932 lines ending in CR LF, an empty line for a separator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dosage {

// The phrases (CP932) one side added and removed; separators are not counted.
struct PhraseChange {
    std::vector<std::string> added, removed;

    bool empty() const { return added.empty() && removed.empty(); }
};

// What turned `before` into `after`, each phrase counted as often as it occurs; a phrase only
// moved is no change.
PhraseChange changeBetween(std::string_view before, std::string_view after);

// `text` with `change` applied: the first occurrence of each removed phrase taken out, each
// added phrase that `text` does not hold yet appended as a last line.
std::string applyChange(std::string_view text, const PhraseChange& change);

// The message (UTF-8) that tells the operator that another terminal changed the list they
// edited, with that terminal's additions and removals, and asks whether to apply their own
// edit again.
std::string changedElsewhereMessage(const PhraseChange& theirs, const PhraseChange& mine);

}  // namespace dosage
