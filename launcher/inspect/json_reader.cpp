#include "launcher/inspect/json_reader.h"

#include "common/strings.h"

namespace krv {

namespace {

constexpr int kDeepestNesting = 64;

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> document() {
        JsonValue value;
        if (!parseValue(value, 0))
            return std::nullopt;
        skipBlanks();
        if (pos_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }

    bool take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool takeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }

    bool parseValue(JsonValue& value, int depth) {
        skipBlanks();
        if (pos_ >= text_.size())
            return false;
        switch (text_[pos_]) {
        case '{':
            value.type = JsonValue::Type::Object;
            return depth < kDeepestNesting && parseObject(value, depth + 1);
        case '[':
            value.type = JsonValue::Type::Array;
            return depth < kDeepestNesting && parseArray(value, depth + 1);
        case '"':
            value.type = JsonValue::Type::String;
            return parseString(value.text);
        case 't':
            value.type = JsonValue::Type::Boolean;
            value.boolean = true;
            return takeWord("true");
        case 'f':
            value.type = JsonValue::Type::Boolean;
            return takeWord("false");
        case 'n':
            return takeWord("null");
        default:
            value.type = JsonValue::Type::Number;
            return parseNumber(value.text);
        }
    }

    bool parseObject(JsonValue& value, int depth) {
        ++pos_; // {
        skipBlanks();
        if (take('}'))
            return true;
        for (;;) {
            skipBlanks();
            std::string key;
            if (pos_ >= text_.size() || text_[pos_] != '"' || !parseString(key))
                return false;
            skipBlanks();
            if (!take(':'))
                return false;
            JsonValue member;
            if (!parseValue(member, depth))
                return false;
            value.members.emplace_back(std::move(key), std::move(member));
            skipBlanks();
            if (take('}'))
                return true;
            if (!take(','))
                return false;
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        ++pos_; // [
        skipBlanks();
        if (take(']'))
            return true;
        for (;;) {
            JsonValue item;
            if (!parseValue(item, depth))
                return false;
            value.items.push_back(std::move(item));
            skipBlanks();
            if (take(']'))
                return true;
            if (!take(','))
                return false;
        }
    }

    bool digits() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        return pos_ > start;
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    bool parseNumber(std::string& out) {
        const std::size_t start = pos_;
        take('-');
        if (take('0')) {
            if (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                return false;
        } else if (!digits()) {
            return false;
        }
        if (take('.') && !digits())
            return false;
        if (take('e') || take('E')) {
            if (!take('+'))
                take('-');
            if (!digits())
                return false;
        }
        out.assign(text_.substr(start, pos_ - start));
        return true;
    }

    bool hex4(unsigned& code) {
        if (text_.size() - pos_ < 4)
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<unsigned>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    // \uXXXX, a surrogate pair as one character; a lone surrogate is no
    // character.
    bool unicodeEscape(std::string& out) {
        unsigned code = 0;
        if (!hex4(code))
            return false;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return false;
        if (code >= 0xD800 && code <= 0xDBFF) {
            unsigned low = 0;
            if (!takeWord("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, static_cast<char32_t>(code));
        return true;
    }

    bool parseString(std::string& out) {
        ++pos_; // "
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                return false;
            const char escaped = text_[pos_++];
            switch (escaped) {
            case '"':
            case '\\':
            case '/':
                out += escaped;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (!unicodeEscape(out))
                    return false;
                break;
            default:
                return false;
            }
        }
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key)
            return &value;
    return nullptr;
}

std::optional<JsonValue> parseJson(std::string_view text) {
    if (!isValidUtf8(text))
        return std::nullopt;
    return JsonParser(text).document();
}

} // namespace krv
