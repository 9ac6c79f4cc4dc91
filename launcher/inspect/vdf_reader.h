#pragma once
// Valve's KeyValues text format, as Steam writes "libraryfolders.vdf": keys
// and values in double quotes (or bare words), blocks in braces, the
// escapes \" \\ \n \t inside quotes and "//" comments to the end of the line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krv {

struct VdfEntry {
    std::string key;
    std::string value;              // the text of a key-value pair
    std::vector<VdfEntry> children; // the entries of a block
    bool isBlock = false;

    // The first value entry of this block named `key`, ignoring case.
    const std::string* valueOf(std::string_view key) const;
};

// The entries at the top of `text`; nothing when the text breaks the format
// anywhere (a quote or a brace left open, a stray brace, a key without a
// value, blocks nested deeper than any Steam file).
std::optional<std::vector<VdfEntry>> parseVdf(std::string_view text);

} // namespace krv
