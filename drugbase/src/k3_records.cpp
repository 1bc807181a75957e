#include "k3_records.h"

#include "sjis/sjis.h"

namespace drugbase::k3 {
namespace {

constexpr std::size_t kGuidanceCode = 12;
constexpr std::size_t kLongKey = 24;

// Reads a line from its start, never past its end.
class Cursor {
  public:
    explicit Cursor(std::string_view line) : line_(line) {}

    bool atEnd() const { return at_ >= line_.size(); }
    std::string_view take(std::size_t n) {
        const std::string_view out = line_.substr(std::min(at_, line_.size()), n);
        at_ += out.size();
        return out;
    }
    void skip(std::size_t n) { at_ = std::min(at_ + n, line_.size()); }
    // The text up to the next double quote, and past that quote; nothing when there is none.
    std::optional<std::string_view> upToQuote() {
        const std::size_t quote = line_.find('"', at_);
        if (quote == std::string_view::npos) {
            at_ = line_.size();
            return std::nullopt;
        }
        const std::string_view out = line_.substr(at_, quote - at_);
        at_ = quote + 1;
        return out;
    }
    char next() { return line_[at_++]; }

  private:
    std::string_view line_;
    std::size_t at_ = 0;
};

void append(std::string& field, char c) {
    if (field.size() < kFieldRoom) field += c;
}

// A field with the quote switch: complete when a comma outside quotes or the end of the line
// outside quotes ends it. `ended` tells whether a comma ended it (so another field may follow).
std::optional<std::string> switchedField(Cursor& in, bool& ended) {
    std::string field;
    bool quoted = false;
    ended = false;
    while (!in.atEnd()) {
        const char c = in.next();
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            ended = true;
            return field;
        } else {
            append(field, c);
        }
    }
    if (quoted) return std::nullopt;
    return field;
}

// A field whose quotes are all dropped, ended by a comma or by the end of the line.
std::string plainField(Cursor& in, bool& ended) {
    std::string field;
    ended = false;
    while (!in.atEnd()) {
        const char c = in.next();
        if (c == ',') {
            ended = true;
            break;
        }
        if (c != '"') append(field, c);
    }
    return field;
}

}  // namespace

GuidanceRecord parseGuidance(std::string_view line) {
    GuidanceRecord r;
    Cursor in(line);
    in.skip(1);
    r.yjcode = in.take(kGuidanceCode);
    r.separatorOk = in.take(3) == "\",\"";
    for (auto& text : r.texts) {
        if (in.atEnd()) break;
        text = in.upToQuote();
        if (!text) break;
        in.skip(2);
    }
    return r;
}

IdentificationRecord parseIdentification(std::string_view line) {
    IdentificationRecord r;
    Cursor in(line);
    in.skip(1);
    r.key = in.take(kLongKey);
    r.separatorOk = in.take(2) == "\",";
    bool ended = true;
    for (auto& code : r.codes) {
        if (!ended || in.atEnd()) return r;
        code = switchedField(in, ended);
        if (!code) return r;
    }
    if (ended && !in.atEnd() && in.next() == '"') {
        std::string_view two = in.take(2);
        two = two.substr(0, two.find('"'));
        r.warisen = two.substr(0, sjis::cutLength(two, 2));
    }
    return r;
}

ProcessingRecord parseProcessing(std::string_view line) {
    ProcessingRecord r;
    Cursor in(line);
    in.skip(1 + kLongKey);
    r.separatorOk = line.substr(std::min(line.size(), 1 + kLongKey), 2) == "\",";
    in.skip(2);
    bool ended = true;
    for (auto& field : r.fields) {
        if (!ended) break;
        field = plainField(in, ended);
    }
    return r;
}

bool ProcessingRecord::passedOver() const {
    static const std::string marker = sjis::fromUtf8("＄");
    return fields[0] && *fields[0] == marker;
}

ClassNameRecord parseClassName(std::string_view line) {
    ClassNameRecord r;
    Cursor in(line);
    in.skip(1);
    r.code = in.upToQuote();
    if (!r.code) return r;
    in.skip(2);
    r.name = in.upToQuote();
    return r;
}

}  // namespace drugbase::k3
