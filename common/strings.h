#pragma once
// Small text helpers shared by the launcher and the inspection tool.
// Names of games, files and lists compare without regard to case; the
// folding is ASCII only, as the stored texts are 8-bit.

#include <string>
#include <string_view>

namespace krv {

char asciiLower(char c);
char asciiUpper(char c);
std::string toLower(std::string_view s);
std::string toUpper(std::string_view s);

bool iequals(std::string_view a, std::string_view b);
// Negative, zero or positive like strcmp, ignoring ASCII case.
int icompare(std::string_view a, std::string_view b);
bool istartsWith(std::string_view s, std::string_view prefix);
bool iendsWith(std::string_view s, std::string_view suffix);
std::string_view::size_type ifind(std::string_view s, std::string_view needle);

// Blanks are spaces and tabs; line ends are never part of a stored value.
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);

// True when `bytes` is well-formed UTF-8: no stray continuation byte, no
// overlong form, no surrogate and nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);
// True when UTF-8 `text` contains `needle` without regard to case, letters
// of every script included; bytes that are not UTF-8 match as a text view
// shows them.
bool containsIgnoringCase(std::string_view text, std::string_view needle);
// Appends the UTF-8 form of a code point (at most U+10FFFF).
void appendUtf8(std::string& out, char32_t code);
// Each byte taken as the Latin-1 character of its value, written as UTF-8.
std::string latin1ToUtf8(std::string_view bytes);
// 8-bit text of unknown encoding as UTF-8: kept when it already is valid
// UTF-8, else read as Latin-1.
std::string eightBitToUtf8(std::string_view bytes);

} // namespace krv
