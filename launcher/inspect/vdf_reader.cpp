#include "launcher/inspect/vdf_reader.h"

#include "common/strings.h"

namespace krv {

namespace {

constexpr int kDeepestBlock = 32;

enum class TokenKind { Text, Open, Close, End, Broken };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
};

class VdfScanner {
public:
    explicit VdfScanner(std::string_view text) : text_(text) {}

    Token next() {
        skipBlanksAndComments();
        if (pos_ >= text_.size())
            return {TokenKind::End, {}};
        const char c = text_[pos_];
        if (c == '{' || c == '}') {
            ++pos_;
            return {c == '{' ? TokenKind::Open : TokenKind::Close, {}};
        }
        return c == '"' ? quoted() : bare();
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipBlanksAndComments() {
        while (pos_ < text_.size()) {
            if (isBlank(text_[pos_])) {
                ++pos_;
            } else if (text_.substr(pos_, 2) == "//") {
                const auto lineEnd = text_.find('\n', pos_);
                pos_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
            } else {
                return;
            }
        }
    }

    Token quoted() {
        Token token{TokenKind::Text, {}};
        for (++pos_; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return token;
            }
            if (c == '\\' && pos_ + 1 < text_.size()) {
                const char escaped = text_[pos_ + 1];
                const char* meaning = escaped == 'n'    ? "\n"
                                      : escaped == 't'  ? "\t"
                                      : escaped == '\\' ? "\\"
                                      : escaped == '"'  ? "\""
                                                        : nullptr;
                // Any other backslash is a character of its own, as Steam
                // reads it.
                if (meaning) {
                    token.text += meaning;
                    ++pos_;
                    continue;
                }
            }
            token.text += c;
        }
        return {TokenKind::Broken, {}};
    }

    // A word without quotes runs to the next blank, brace or quote.
    Token bare() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !isBlank(text_[pos_]) && text_[pos_] != '{' &&
               text_[pos_] != '}' && text_[pos_] != '"')
            ++pos_;
        return {TokenKind::Text, std::string(text_.substr(start, pos_ - start))};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Reads entries up to the brace that closes the block (`nested`) or up to
// the end of the text (the top).
bool readEntries(VdfScanner& scanner, std::vector<VdfEntry>& entries, int depth) {
    const bool nested = depth > 0;
    for (;;) {
        Token key = scanner.next();
        if (key.kind == TokenKind::End)
            return !nested;
        if (key.kind == TokenKind::Close)
            return nested;
        if (key.kind != TokenKind::Text)
            return false;
        VdfEntry entry;
        entry.key = std::move(key.text);
        Token value = scanner.next();
        if (value.kind == TokenKind::Text) {
            entry.value = std::move(value.text);
        } else if (value.kind == TokenKind::Open && depth < kDeepestBlock) {
            entry.isBlock = true;
            if (!readEntries(scanner, entry.children, depth + 1))
                return false;
        } else {
            return false;
        }
        entries.push_back(std::move(entry));
    }
}

} // namespace

const std::string* VdfEntry::valueOf(std::string_view wanted) const {
    for (const VdfEntry& child : children)
        if (!child.isBlock && iequals(child.key, wanted))
            return &child.value;
    return nullptr;
}

std::optional<std::vector<VdfEntry>> parseVdf(std::string_view text) {
    VdfScanner scanner(text);
    std::vector<VdfEntry> entries;
    if (!readEntries(scanner, entries, 0))
        return std::nullopt;
    return entries;
}

} // namespace krv
