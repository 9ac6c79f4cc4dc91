#include "common/numbers.h"

#include <gtest/gtest.h>

using krv::NumberStatus;
using krv::NumberWidth;
using krv::parseWholeNumber;

TEST(WholeNumber, AcceptsBlanksSignsAndDropsFractionTowardMinusInfinity) {
    EXPECT_EQ(parseWholeNumber("  42  ", NumberWidth::Bits16).value, 42);
    EXPECT_EQ(parseWholeNumber("-3", NumberWidth::Bits16).value, -3);
    EXPECT_EQ(parseWholeNumber("+7", NumberWidth::Bits16).value, 7);
    EXPECT_EQ(parseWholeNumber("0.5", NumberWidth::Bits16).value, 0);
    EXPECT_EQ(parseWholeNumber("2.9", NumberWidth::Bits16).value, 2);
    EXPECT_EQ(parseWholeNumber("-0.5", NumberWidth::Bits16).value, -1);
    EXPECT_EQ(parseWholeNumber(".75", NumberWidth::Bits16).value, 0);
    EXPECT_EQ(parseWholeNumber("1e2", NumberWidth::Bits16).value, 100);
    EXPECT_EQ(parseWholeNumber("\t5\t", NumberWidth::Bits32).status, NumberStatus::Ok);
}

TEST(WholeNumber, ReportsTextThatIsNoNumberAsTypeMismatch) {
    for (const char* text : {"", "   ", "yes", "1x", "--1", ".", "e5", "1e", "0x10", "1 2"})
        EXPECT_EQ(parseWholeNumber(text, NumberWidth::Bits16).status, NumberStatus::TypeMismatch)
            << '"' << text << '"';
}

TEST(WholeNumber, ChecksTheStorageWidth) {
    EXPECT_EQ(parseWholeNumber("32767", NumberWidth::Bits16).status, NumberStatus::Ok);
    EXPECT_EQ(parseWholeNumber("32768", NumberWidth::Bits16).status, NumberStatus::Overflow);
    EXPECT_EQ(parseWholeNumber("-32768", NumberWidth::Bits16).value, -32768);
    EXPECT_EQ(parseWholeNumber("-32768.5", NumberWidth::Bits16).status, NumberStatus::Overflow);
    EXPECT_EQ(parseWholeNumber("32768", NumberWidth::Bits32).value, 32768);
    EXPECT_EQ(parseWholeNumber("2147483648", NumberWidth::Bits32).status, NumberStatus::Overflow);
    EXPECT_EQ(parseWholeNumber("1e400", NumberWidth::Bits32).status, NumberStatus::Overflow);
}
