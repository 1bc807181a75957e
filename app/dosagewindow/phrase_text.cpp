#include "dosagewindow/phrase_text.h"

#include <cstring>

#include "sjis/sjis.h"

namespace dosage {

namespace {

char* slotAt(PhraseTable& table, std::size_t slot) {
    return table.data() + slot * DOSAGEBASE_SLOT_SIZE;
}

const char* slotAt(const PhraseTable& table, std::size_t slot) {
    return table.data() + slot * DOSAGEBASE_SLOT_SIZE;
}

bool isSeparator(const char* slot) {
    return slot[0] == '\r' && slot[1] == '\n';
}

}  // namespace

std::string phraseText(const PhraseTable& table) {
    std::string text;
    for (std::size_t slot = 0; slot < DOSAGEBASE_SLOT_COUNT; ++slot) {
        const char* phrase = slotAt(table, slot);
        if (phrase[0] == '\0') continue;
        if (!isSeparator(phrase)) text += sjis::fieldText(phrase, DOSAGEBASE_SLOT_SIZE);
        text += "\r\n";
    }
    return text;
}

TextFault rebuildTable(std::string_view text, PhraseTable& table) {
    text = text.substr(0, text.find('\0'));
    PhraseTable rebuilt{};
    std::size_t slot = 0;
    int line = 0;
    // Each slot written must exist; running past the last one refuses the text.
    const auto store = [&](std::string_view phrase) {
        if (slot >= DOSAGEBASE_SLOT_COUNT) return false;
        std::memcpy(slotAt(rebuilt, slot++), phrase.data(), phrase.size());
        return true;
    };
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        const bool ended = end != std::string_view::npos;
        std::string_view phrase = text.substr(0, end);
        text.remove_prefix(ended ? end + 1 : text.size());
        if (ended && phrase.ends_with('\r')) phrase.remove_suffix(1);
        if (phrase.size() > kPhraseBytes) return {TextFault::Kind::kLineTooLong, line};
        if (ended && phrase.empty()) {
            // An empty line: a separator slot, then the line feed closes the next one empty.
            if (!store("\r\n")) return {TextFault::Kind::kTooManyLines, line};
            ++slot;
        } else if (!store(phrase)) {
            return {TextFault::Kind::kTooManyLines, line};
        }
    }
    table = rebuilt;
    return {};
}

std::string faultMessage(const TextFault& fault) {
    const std::string line = std::to_string(fault.line);
    switch (fault.kind) {
        case TextFault::Kind::kLineTooLong:
            return line + "行目が長すぎます。１行は全角100文字（200バイト）迄です。";
        case TextFault::Kind::kTooManyLines:
            return "行数が多すぎます。250行迄です。";
        case TextFault::Kind::kNotCp932:
            return line + "行目に保存できない文字があります。";
        case TextFault::Kind::kNone:
            break;
    }
    return {};
}

}  // namespace dosage
