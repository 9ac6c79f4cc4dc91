#pragma once
// Conversion of a stored text line to a whole number, as the settings file
// needs it: blanks around the number are allowed, a fraction is dropped
// toward minus infinity, and the value must fit the storage width.

#include <cstdint>
#include <string_view>

namespace krv {

enum class NumberWidth { Bits16, Bits32 };

enum class NumberStatus {
    Ok,
    TypeMismatch, // the text is not a number at all
    Overflow,     // a number, but too large for the storage width
};

struct NumberResult {
    NumberStatus status = NumberStatus::TypeMismatch;
    std::int32_t value = 0;
};

NumberResult parseWholeNumber(std::string_view text, NumberWidth width);

// The number a text box holds: blanks around it allowed, a decimal number
// with a fraction or an exponent taken, the fraction dropped toward minus
// infinity, kept within 16 bits; a box that holds no number gives 0.
int numberInText(std::string_view text);

} // namespace krv
