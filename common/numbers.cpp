#include "common/numbers.h"

#include "common/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace krv {

namespace {

// Accepts an optional sign, digits with an optional fraction, and an optional
// exponent; nothing else may stand between the blanks.
bool looksNumeric(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

NumberResult parseWholeNumber(std::string_view text, NumberWidth width) {
    const std::string_view body = trim(text);
    if (!looksNumeric(body))
        return {NumberStatus::TypeMismatch, 0};
    std::string_view digits = body;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range)
        return {NumberStatus::Overflow, 0};
    if (ec != std::errc() || ptr != digits.data() + digits.size())
        return {NumberStatus::TypeMismatch, 0};
    const double whole = std::floor(value);
    const double lo = width == NumberWidth::Bits16 ? std::numeric_limits<std::int16_t>::min()
                                                   : std::numeric_limits<std::int32_t>::min();
    const double hi = width == NumberWidth::Bits16 ? std::numeric_limits<std::int16_t>::max()
                                                   : std::numeric_limits<std::int32_t>::max();
    if (whole < lo || whole > hi)
        return {NumberStatus::Overflow, 0};
    return {NumberStatus::Ok, static_cast<std::int32_t>(whole)};
}

int numberInText(std::string_view text) {
    std::string_view body = trim(text);
    if (!looksNumeric(body))
        return 0;
    if (body.front() == '+')
        body.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (ec != std::errc() || ptr != body.data() + body.size() || !std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(std::floor(value), -32768.0, 32767.0));
}

} // namespace krv
