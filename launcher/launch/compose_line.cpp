#include "launcher/launch/compose_line.h"

#include <algorithm>

namespace krv {

void CommandLineText::appendQuoted(std::string_view value) {
    if (value.find('"') != std::string_view::npos) {
        if (!refused_)
            refused_ = std::string(value);
        return;
    }
    text_ += '"';
    text_ += value;
    text_ += "\" ";
}

void CommandLineText::appendSwitch(std::string_view switchText, std::string_view value) {
    append(switchText);
    appendQuoted(value);
}

bool quotesBalanced(std::string_view text) {
    return std::count(text.begin(), text.end(), '"') % 2 == 0;
}

} // namespace krv
