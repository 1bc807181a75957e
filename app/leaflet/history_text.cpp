#include "leaflet/history_text.h"

#include <algorithm>

namespace leaflet {

std::string historyText(const HistoryBlock& block) {
    std::string text(reinterpret_cast<const char*>(block.data()), sizeof block);
    std::replace(text.begin(), text.end(), '\0', '$');
    return text;
}

HistoryBlock historyBlockFromText(std::string_view stored) {
    HistoryBlock block{};
    char* bytes = reinterpret_cast<char*>(block.data());
    const std::size_t n = std::min(stored.size(), sizeof block);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = stored[i] == '$' ? '\0' : stored[i];
    return block;
}

}  // namespace leaflet
