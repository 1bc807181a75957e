#include "prescription/amount.h"

#include <charconv>
#include <limits>
#include <numeric>

namespace prescription {

namespace {

// Amount fields hold up to 12 characters; these limits keep every product inside 64 bits.
constexpr std::size_t kMaxWholeDigits = 9;
constexpr std::size_t kMaxFractionDigits = 6;

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::int64_t toNumber(std::string_view digits) {
    std::int64_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The decimal form of numerator / denominator, when its fraction ends within six digits.
std::string decimalText(std::int64_t numerator, std::int64_t denominator) {
    std::string text = std::to_string(numerator / denominator);
    std::int64_t rest = numerator % denominator;
    if (rest == 0) return text;
    text += '.';
    for (std::size_t i = 0; i < kMaxFractionDigits && rest != 0; ++i) {
        rest *= 10;
        text += static_cast<char>('0' + rest / denominator);
        rest %= denominator;
    }
    return rest == 0 ? text : std::to_string(numerator) + "/" + std::to_string(denominator);
}

}  // namespace

Amount::Amount(std::int64_t numerator, std::int64_t denominator, std::string text)
    : numerator_(numerator), denominator_(denominator), text_(std::move(text)) {
    const std::int64_t divisor = std::gcd(numerator_, denominator_);
    if (divisor > 1) {
        numerator_ /= divisor;
        denominator_ /= divisor;
    }
}

Amount Amount::computed(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t divisor = std::gcd(numerator, denominator);
    return Amount(numerator / divisor, denominator / divisor,
                  decimalText(numerator / divisor, denominator / divisor));
}

std::optional<Amount> Amount::parse(std::string_view text) {
    if (const std::size_t slash = text.find('/'); slash != std::string_view::npos) {
        const std::string_view top = text.substr(0, slash);
        const std::string_view bottom = text.substr(slash + 1);
        if (!allDigits(top) || !allDigits(bottom) || top.size() > kMaxWholeDigits ||
            bottom.size() > kMaxWholeDigits || toNumber(bottom) == 0) {
            return std::nullopt;
        }
        return Amount(toNumber(top), toNumber(bottom), std::string(text));
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!allDigits(whole) || whole.size() > kMaxWholeDigits) return std::nullopt;
    if (point != std::string_view::npos &&
        (!allDigits(fraction) || fraction.size() > kMaxFractionDigits)) {
        return std::nullopt;
    }
    std::int64_t denominator = 1;
    for (std::size_t i = 0; i < fraction.size(); ++i) denominator *= 10;
    return Amount(toNumber(whole) * denominator + toNumber(fraction), denominator,
                  std::string(text));
}

Amount Amount::dividedBy(int divisor) const {
    if (empty() || divisor <= 0) return *this;
    return computed(numerator_, denominator_ * divisor);
}

Amount Amount::times(int factor) const {
    if (empty() || factor <= 0) return *this;
    if (numerator_ > std::numeric_limits<std::int64_t>::max() / factor) return Amount();
    return computed(numerator_ * factor, denominator_);
}

Amount Amount::plus(const Amount& other) const {
    if (empty() || other.empty()) return Amount();
    std::int64_t left = 0, right = 0, numerator = 0, denominator = 0;
    if (__builtin_mul_overflow(numerator_, other.denominator_, &left) ||
        __builtin_mul_overflow(other.numerator_, denominator_, &right) ||
        __builtin_add_overflow(left, right, &numerator) ||
        __builtin_mul_overflow(denominator_, other.denominator_, &denominator)) {
        return Amount();
    }
    return computed(numerator, denominator);
}

std::optional<std::int64_t> Amount::halves() const {
    if (empty() || (2 * numerator_) % denominator_ != 0) return std::nullopt;
    return 2 * numerator_ / denominator_;
}

}  // namespace prescription
