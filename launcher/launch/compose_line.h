#pragma once
// The engine command line as one text. Every piece is appended unchanged and
// carries its own trailing blank; a quoted value is a double quote, the
// value, a double quote and one blank, never escaped.
//
// Since the engine splits the text at blanks and double quotes, a value that
// itself holds a double quote would end its quotes early and turn the rest
// into other arguments. Such a value is not written: the line remembers it,
// and the composer refuses the launch.

#include <optional>
#include <string>
#include <string_view>

namespace krv {

// The engine executable relative to the installation root.
inline constexpr std::string_view kEngineCommand = "Bin\\Korvath";

class CommandLineText {
public:
    CommandLineText() = default;
    explicit CommandLineText(std::string_view start) : text_(start) {}

    void append(std::string_view piece) { text_ += piece; }
    // Appends the value in double quotes and one blank.
    void appendQuoted(std::string_view value);
    // Appends a switch followed by a quoted value: "-udir " + Q(folder).
    void appendSwitch(std::string_view switchText, std::string_view value);

    const std::string& text() const { return text_; }
    // The first value refused for holding a double quote.
    const std::optional<std::string>& refusedValue() const { return refused_; }

private:
    std::string text_;
    std::optional<std::string> refused_;
};

// True when the text holds an even number of double quotes, so that it ends
// outside any quotes.
bool quotesBalanced(std::string_view text);

} // namespace krv
