// The readers of the stores' lists: Valve's KeyValues text and strict JSON.

#include "launcher/inspect/json_reader.h"
#include "launcher/inspect/vdf_reader.h"

#include <gtest/gtest.h>

using namespace krv;

TEST(VdfReader, ReadsQuotedAndBareWordsBlocksEscapesAndComments) {
    const auto entries = parseVdf("// head\n\"top\" { \"a b\" \"x\\\"y\\\\z\\n\" bare word\n"
                                  " \"inner\" { } \"c:\\path\" \"1\" } // tail");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 1u);
    const VdfEntry& top = entries->front();
    EXPECT_TRUE(top.isBlock);
    ASSERT_EQ(top.children.size(), 4u);
    EXPECT_EQ(*top.valueOf("A B"), "x\"y\\z\n");
    EXPECT_EQ(*top.valueOf("bare"), "word");
    EXPECT_TRUE(top.children[2].isBlock);
    EXPECT_EQ(top.children[3].key, "c:\\path"); // an unknown escape stays as written
    EXPECT_EQ(top.valueOf("inner"), nullptr);   // a block is no value
}

TEST(VdfReader, RefusesBrokenText) {
    for (const std::string& text :
         std::vector<std::string>{"\"a\" {", "\"a\" }", "\"a\" \"b", "\"a\"", "{ }",
                                  "\"a\" { \"b\" }", "\"a\" \"b\\", std::string(40, '{')}) {
        EXPECT_FALSE(parseVdf(text)) << text;
    }
    std::string deep;
    for (int i = 0; i < 40; ++i)
        deep += "k { ";
    EXPECT_FALSE(parseVdf(deep + std::string(40, '}')));
    EXPECT_TRUE(parseVdf("")); // an empty text holds no entries
}

TEST(JsonReader, ReadsTheWholeGrammar) {
    const auto value = parseJson(" {\"a\": [1, -0.5e+3, true, false, null, \"\\u00e9\\ud83d\\ude00"
                                 "\\n\\/\"], \"b\": {}, \"a\": 2} ");
    ASSERT_TRUE(value);
    const JsonValue* a = value->member("a");
    ASSERT_TRUE(a);
    ASSERT_EQ(a->items.size(), 6u);
    EXPECT_EQ(a->items[1].text, "-0.5e+3");
    EXPECT_TRUE(a->items[2].boolean);
    EXPECT_EQ(a->items[4].type, JsonValue::Type::Null);
    EXPECT_EQ(a->items[5].text, "\xC3\xA9\xF0\x9F\x98\x80\n/");
    EXPECT_EQ(value->member("b")->type, JsonValue::Type::Object);
    EXPECT_EQ(value->member("c"), nullptr);
}

TEST(JsonReader, RefusesWhatTheStandardDoesNot) {
    for (const std::string& text :
         std::vector<std::string>{"",
                                  "{",
                                  "[1,]",
                                  "{\"a\":1,}",
                                  "{'a':1}",
                                  "{a:1}",
                                  "[01]",
                                  "[1.]",
                                  "[.5]",
                                  "[+1]",
                                  "[1e]",
                                  "\"tab\there\"",
                                  "\"\\x\"",
                                  "\"\\ud800\"",
                                  "\"\\udc00\"",
                                  "\"\\u12\"",
                                  "[1] 2",
                                  "tru",
                                  "NaN",
                                  "\"\xC3\x28\"",
                                  "// comment\n{}",
                                  std::string(100, '[') + std::string(100, ']')}) {
        EXPECT_FALSE(parseJson(text)) << text;
    }
}
