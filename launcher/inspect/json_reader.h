#pragma once
// A strict reader of JSON text (RFC 8259) for the small files other programs
// keep, such as the list of games a store launcher installed. Anything the
// standard does not allow makes the whole text unreadable.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace krv {

struct JsonValue {
    enum class Type { Null, Boolean, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    std::string text; // a string's characters (UTF-8), or a number as written
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The value of the first member named `key`; null when there is none or
    // this is no object.
    const JsonValue* member(std::string_view key) const;
};

// The value of `text`; nothing when it is not valid UTF-8, breaks the
// grammar anywhere, holds anything after its value or nests deeper than
// such files ever do.
std::optional<JsonValue> parseJson(std::string_view text);

} // namespace krv
