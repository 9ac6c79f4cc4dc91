#include "launcher/options/option_rules.h"

#include "common/strings.h"

#include <algorithm>
#include <charconv>

namespace krv {

int steppedNumber(const std::string& text, int step, int low, int high) {
    std::string_view digits = trim(text);
    if (digits.size() > 1 && digits[0] == '+')
        digits.remove_prefix(1);
    int value = low;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < low)
        value = low;
    return std::clamp(value + step, low, high);
}

SoundAvailability soundAvailability(const SoundSwitches& on, bool soundPackPresent) {
    SoundAvailability allowed;
    for (int i = 1; i < 11; ++i)
        allowed.boxes[static_cast<std::size_t>(i)] = !on.soundOff;
    allowed.channels = !on.soundOff;
    if (!on.soundOff) {
        allowed.boxes[6] = soundPackPresent;
        allowed.boxes[2] = !on.basicDoom;
        allowed.boxes[7] = !on.basicDoom;
        allowed.boxes[8] = on.sound3d;
    }
    allowed.ricochetValue = !on.soundOff && allowed.boxes[2] && on.ricochets;
    return allowed;
}

} // namespace krv
