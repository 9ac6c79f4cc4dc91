#include "common/strings.h"

#include <gtest/gtest.h>

TEST(Utf8, WellFormedSequencesOnly) {
    struct Case {
        const char* bytes;
        bool valid;
    };
    const Case cases[] = {
        {"plain", true},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true}, // two, three and four bytes
        {"\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", true},  // around the surrogates, the last
        {"caf\xE9", false},                                  // Latin-1
        {"\xC0\xAF", false},                                 // overlong
        {"\xE0\x9F\xBF", false},                             // overlong
        {"\xED\xA0\x80", false},                             // a surrogate
        {"\xF4\x90\x80\x80", false},                         // above U+10FFFF
        {"\xE2\x82", false},                                 // cut short
        {"\x80", false},                                     // a stray continuation
        {"\xE2\x28\xA1", false},                             // a broken continuation
    };
    for (const Case& c : cases)
        EXPECT_EQ(krv::isValidUtf8(c.bytes), c.valid) << c.bytes;
    EXPECT_EQ(krv::eightBitToUtf8("caf\xE9\xFF"), "caf\xC3\xA9\xC3\xBF");
    EXPECT_EQ(krv::eightBitToUtf8("caf\xC3\xA9"), "caf\xC3\xA9");
}
