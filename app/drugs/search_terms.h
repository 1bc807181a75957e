// The choices of the drug search dialog's route and dosage-form lists and the search terms
// each one stands for.
#pragma once

#include <array>
#include <vector>

namespace drugs {

struct SearchChoice {
    const char* item;                // shown in the list (UTF-8)
    std::vector<const char*> terms;  // substring terms; forms after the first are alternatives
};

const std::vector<SearchChoice>& routeChoices();
const std::vector<SearchChoice>& formChoices();

}  // namespace drugs
