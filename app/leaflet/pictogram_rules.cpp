#include "leaflet/pictogram_rules.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "leaflet/print_entry.h"

namespace leaflet {

namespace {

struct Look {
    std::string_view caption;
    std::string_view name;
};

constexpr std::array<Look, static_cast<int>(Pictogram::kCount)> kLooks{{
    {"起床時", "waking"},       {"朝", "morning"},         {"昼", "noon"},
    {"夕", "evening"},          {"寝る前", "bedtime"},     {"食前", "before_meals"},
    {"食後", "after_meals"},    {"食間", "between_meals"}, {"頓服", "as_needed"},
    {"発熱時", "fever"},        {"疼痛時", "pain"},        {"不眠時", "sleeplessness"},
    {"便秘時", "constipation"}, {"貼る", "patch"},         {"塗る", "ointment"},
    {"点眼", "eye_drops"},      {"吸入", "inhaler"},       {"うがい", "gargle"},
    {"坐剤", "suppository"},
}};

// The texts a rule reads, in UTF-8 (a search in UTF-8 never matches across characters, as one
// in CP932 could).
struct Texts {
    std::string usage;
    std::string form;
    std::string name;
};

using Words = std::initializer_list<std::string_view>;

bool hasAny(const std::string& text, Words words) {
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view w) { return text.find(w) != std::string::npos; });
}

bool isAny(const std::string& text, Words words) {
    return std::find(words.begin(), words.end(), text) != words.end();
}

// A timing picture: its amount is set or the usage text names it.
struct TimingRule {
    Pictogram pictogram;
    Timing timing;
    Words words;
};

const TimingRule kTimingRules[] = {
    {Pictogram::kWaking, kWaking, {"起床"}},
    {Pictogram::kMorning, kMorning, {"朝"}},
    {Pictogram::kNoon, kNoon, {"昼"}},
    {Pictogram::kEvening, kEvening, {"夕"}},
    {Pictogram::kBedtime, kBedtime, {"寝る前", "就寝前", "寝前"}},
};

// A meal picture: the meal timing of a timed entry says so, or the usage text names it.
struct MealRule {
    Pictogram pictogram;
    MealTiming meal;
    Words words;
};

const MealRule kMealRules[] = {
    {Pictogram::kBeforeMeals, kBeforeMeals, {"食前"}},
    {Pictogram::kAfterMeals, kAfterMeals, {"食後"}},
    {Pictogram::kBetweenMeals, kBetweenMeals, {"食間"}},
};

// A trigger of taking the drug when needed, named by the usage text.
struct TriggerRule {
    Pictogram pictogram;
    Words words;
};

const TriggerRule kTriggerRules[] = {
    {Pictogram::kFever, {"発熱時", "熱が出た", "熱のある"}},
    {Pictogram::kPain, {"疼痛時", "痛い時", "痛む時", "痛いとき", "痛むとき"}},
    {Pictogram::kSleeplessness, {"不眠時", "眠れない"}},
    {Pictogram::kConstipation, {"便秘時", "便秘の時", "便秘のとき"}},
};

// A way of using a drug not taken by mouth: its dosage form, or words of its usage text or name.
struct UseRule {
    Pictogram pictogram;
    Words forms;
    Words words;
};

const UseRule kUseRules[] = {
    {Pictogram::kPatch, {"貼付剤"}, {"貼"}},
    {Pictogram::kOintment, {"軟膏・硬膏", "クリーム", "ゲル", "パスタ剤"}, {"塗"}},
    {Pictogram::kEyeDrops, {}, {"点眼"}},
    {Pictogram::kInhaler, {"吸入剤"}, {"吸入"}},
    {Pictogram::kGargle, {"含嗽剤"}, {"うがい", "含嗽"}},
    {Pictogram::kSuppository, {"坐剤"}, {"坐剤", "肛門"}},
};

}  // namespace

std::vector<Pictogram> pictogramsOf(const DrugRecord& entry) {
    const DosageSettings dosage = dosageOf(entry);
    const Texts t{sjis::toUtf8(usageText(entry)), sjis::toUtf8(field(entry.ZAIKEI)),
                  sjis::toUtf8(field(entry.PRODUCTNAME))};
    std::vector<Pictogram> chosen;
    for (const TimingRule& r : kTimingRules)
        if (dosage.timings[r.timing] != 0 || hasAny(t.usage, r.words))
            chosen.push_back(r.pictogram);
    // The meal timing means something only with a timing amount set.
    const bool timed = std::any_of(std::begin(dosage.timings), std::end(dosage.timings),
                                   [](std::uint8_t amount) { return amount != 0; });
    for (const MealRule& r : kMealRules) {
        if ((timed && dosage.mealTiming == r.meal) || hasAny(t.usage, r.words))
            chosen.push_back(r.pictogram);
    }
    std::vector<Pictogram> triggers;
    for (const TriggerRule& r : kTriggerRules)
        if (hasAny(t.usage, r.words)) triggers.push_back(r.pictogram);
    if (!triggers.empty() || hasAny(t.usage, {"頓服", "頓用"}))
        chosen.push_back(Pictogram::kAsNeeded);
    chosen.insert(chosen.end(), triggers.begin(), triggers.end());
    for (const UseRule& r : kUseRules) {
        if (isAny(t.form, r.forms) || hasAny(t.usage, r.words) || hasAny(t.name, r.words))
            chosen.push_back(r.pictogram);
    }
    return chosen;
}

std::string_view pictogramCaption(Pictogram pictogram) {
    return kLooks[static_cast<int>(pictogram)].caption;
}

std::string_view pictogramName(Pictogram pictogram) {
    return kLooks[static_cast<int>(pictogram)].name;
}

}  // namespace leaflet
