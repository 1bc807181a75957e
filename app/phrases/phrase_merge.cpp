#include "phrases/phrase_merge.h"

#include <algorithm>

#include "sjis/sjis.h"

namespace dosage {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kLineEnd);
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + kLineEnd.size());
    }
    return lines;
}

// The phrases of `from` that `other` does not match one for one.
std::vector<std::string> unmatched(std::vector<std::string> from, std::vector<std::string> other) {
    std::vector<std::string> left;
    for (std::string& line : from) {
        if (line.empty()) continue;
        const auto match = std::find(other.begin(), other.end(), line);
        if (match != other.end())
            other.erase(match);
        else
            left.push_back(std::move(line));
    }
    return left;
}

void listPhrases(std::string& message, const char* heading,
                 const std::vector<std::string>& phrases) {
    if (phrases.empty()) return;
    message += heading;
    for (const std::string& phrase : phrases) message += "\n　" + sjis::toUtf8(phrase);
    message += "\n";
}

}  // namespace

PhraseChange changeBetween(std::string_view before, std::string_view after) {
    const std::vector<std::string> old = linesOf(before), now = linesOf(after);
    return {unmatched(now, old), unmatched(old, now)};
}

std::string applyChange(std::string_view text, const PhraseChange& change) {
    std::vector<std::string> lines = linesOf(text);
    for (const std::string& phrase : change.removed) {
        const auto at = std::find(lines.begin(), lines.end(), phrase);
        if (at != lines.end()) lines.erase(at);
    }
    for (const std::string& phrase : change.added)
        if (std::find(lines.begin(), lines.end(), phrase) == lines.end()) lines.push_back(phrase);
    std::string out;
    for (const std::string& line : lines) out += line + std::string(kLineEnd);
    return out;
}

std::string changedElsewhereMessage(const PhraseChange& theirs, const PhraseChange& mine) {
    std::string message =
        "この一覧は、編集中に他の端末で変更されていたため、保存されませんでした。\n"
        "他の端末で保存された一覧を表示します。\n\n";
    listPhrases(message, "他の端末で追加された行：", theirs.added);
    listPhrases(message, "他の端末で削除された行：", theirs.removed);
    if (theirs.empty()) message += "他の端末では行の並びが変更されました。\n";
    message += "\nこの一覧に、あなたの編集";
    if (!mine.empty())
        message += "（追加" + std::to_string(mine.added.size()) + "行、削除" +
                   std::to_string(mine.removed.size()) + "行）";
    message +=
        "をもう一度適用しますか？\n"
        "適用した一覧を確かめてから、もう一度OKを押してください。";
    return message;
}

}  // namespace dosage
