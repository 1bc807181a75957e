// An amount of a drug as a prescription writes it ("3", "1.5", "0.33333", or "2/3" per intake),
// kept exactly as a fraction so that dividing a daily amount by the intakes per day never
// rounds a third into a half.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace prescription {

class Amount {
  public:
    // The empty amount: not given.
    Amount() = default;

    // Digits with an optional fraction ("12", "0.25"), or "n/m"; nullopt for anything else,
    // for a zero denominator and for more digits than an amount field holds.
    static std::optional<Amount> parse(std::string_view text);

    bool empty() const { return denominator_ == 0; }
    bool isZero() const { return !empty() && numerator_ == 0; }
    // The digits as written (for a computed amount, its decimal form).
    const std::string& text() const { return text_; }

    // The amount divided or multiplied by a positive whole number; empty stays empty.
    Amount dividedBy(int divisor) const;
    Amount times(int factor) const;
    // The sum; empty when either is empty or the sum is beyond what an amount holds.
    Amount plus(const Amount& other) const;

    // The amount in half units when it is a whole number of halves (1.5 -> 3), else nullopt.
    std::optional<std::int64_t> halves() const;

    bool operator==(const Amount& other) const {
        return numerator_ == other.numerator_ && denominator_ == other.denominator_;
    }

  private:
    Amount(std::int64_t numerator, std::int64_t denominator, std::string text);
    static Amount computed(std::int64_t numerator, std::int64_t denominator);

    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 0;  // 0 for the empty amount; else positive, in lowest terms
    std::string text_;
};

}  // namespace prescription
