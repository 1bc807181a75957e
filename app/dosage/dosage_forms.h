// What the dosage form (the drug record's ZAIKEI, CP932, compared byte for byte) decides about
// the dosage texts: whether timing amounts may be set at all, the unit of the amount text and
// the default amount text of a new entry.
#pragma once

#include <string>
#include <string_view>

namespace dosage {

// True for the forms that are not taken by mouth (patches, sprays, ointments, injections,
// suppositories and the like); such a drug gets no timing amounts.
bool isNotForTaking(std::string_view form);

// The unit of the composed amount text (CP932): "錠", "カプセル" or "包"; empty for any other
// form, which gets no composed amount text.
std::string amountUnit(std::string_view form);

// The amount text a new entry starts with (CP932), e.g. "１回１錠" or "適量"; empty for forms
// without one.
std::string defaultAmountText(std::string_view form);

// How a drug of this form is given, as the e-medication handbook sorts dispensings: by
// injection; on the body (the not-for-taking forms other than injections); other or unknown
// ("不明", "その他", "キット"); else taken by mouth, regularly or, when `asNeeded`, only when
// needed (頓服).
enum class Administration { kTaken, kTakenAsNeeded, kInjection, kExternal, kOther };
Administration administration(std::string_view form, bool asNeeded);

// Title and text (UTF-8) of the refusal shown when timings are set for a not-for-taking form.
inline constexpr std::string_view kRefusalTitle = "確認";
std::string refusalMessage(std::string_view form);

// Title and text (UTF-8) shown when a timing spin goes below zero.
inline constexpr std::string_view kBelowZeroTitle = "確認";
inline constexpr std::string_view kBelowZeroMessage = "薬剤数は0より下にできません。";

}  // namespace dosage
