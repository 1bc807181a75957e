#include "intake/symbol_gatherer.h"

namespace intake {
namespace {

constexpr char kEndOfFile = 0x1A;

}  // namespace

Gathered SymbolGatherer::add(std::string_view bytes) {
    Gathered gathered;
    while (!bytes.empty()) {
        const std::size_t stop = bytes.find(kEndOfFile);
        const std::string_view part = bytes.substr(0, stop);
        if (!overflowing_) {
            if (pending_.size() + part.size() > kMostSymbolBytes) {
                pending_.clear();
                overflowing_ = true;
                ++gathered.dropped;
            } else {
                pending_ += part;
            }
        }
        if (stop == std::string_view::npos) break;
        end(gathered);
        bytes.remove_prefix(stop + 1);
    }
    return gathered;
}

Gathered SymbolGatherer::finish() {
    Gathered gathered;
    end(gathered);
    return gathered;
}

void SymbolGatherer::clear() {
    pending_.clear();
    overflowing_ = false;
}

void SymbolGatherer::end(Gathered& gathered) {
    if (!overflowing_ && !pending_.empty()) gathered.symbols.push_back(std::move(pending_));
    clear();
}

}  // namespace intake
