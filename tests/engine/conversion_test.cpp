#include "real_conversion.h"

#include <gtest/gtest.h>

using namespace tessera;

TEST(TextToReal, AcceptsThePointOrOneComma) {
    for (const char* text : {"0.5", "+0.5", ".5", "0,5", "   0.5", ",5"})
        EXPECT_EQ(textToReal(text), 0.5) << text;
    EXPECT_EQ(textToReal("1,000"), 1.0); // a comma is never a thousands separator
    EXPECT_EQ(textToReal("1e3"), 1000.0);
    EXPECT_EQ(textToReal("1E3"), 1000.0);
    EXPECT_EQ(textToReal("-2.5E-1"), -0.25);
    EXPECT_EQ(textToReal("E5"), 0.0);
    EXPECT_EQ(textToReal("1,5e2"), 150.0);
}

TEST(TextToReal, AnythingElseGivesTheFallback) {
    for (const char* text : {"0.5 ", "1E", "1E+", "", "-", "+", "12abc", "5.", ".", "1,5,3",
                             "1.5,3", " ", "\t1", "1 000", "0x10", "--1", "1e5.0", "nan", "inf"})
        EXPECT_EQ(textToReal(text, "7"), 7.0) << '"' << text << '"';
    EXPECT_EQ(textToReal("abc"), 0.0);
    EXPECT_EQ(textToReal("abc", ""), 0.0);     // an empty fallback counts as "0"
    EXPECT_EQ(textToReal("abc", "2,5"), 2.5);  // the fallback converts by the same rules
    EXPECT_EQ(textToReal("abc", "x"), 0.0);    // a fallback that does not convert ends at 0
}

TEST(TextToReal, PassesThroughTheFortyBitMantissa) {
    EXPECT_EQ(textToReal("2,2"), 2.2000000000007276);
    EXPECT_NEAR(textToReal("19551.2297953630"), 19551.229795363, 19551.229795363 * 2e-12);
    EXPECT_NE(textToReal("19551.2297953630"), 19551.229795363); // not all 15 digits survive
    EXPECT_EQ(textToReal("0.125"), 0.125); // short binary fractions are exact
    EXPECT_EQ(textToReal("1099511627775"), 1099511627775.0); // 2^40 - 1 fits
    EXPECT_EQ(textToReal("2199023255553"), 2199023255552.0); // 41 bits: tie to even
}

TEST(TextToReal, RangeOfTheFortyEightBitReal) {
    EXPECT_EQ(textToReal("1E-40"), 0.0); // underflow to zero
    EXPECT_EQ(textToReal("-1E-39"), 0.0);
    EXPECT_GT(textToReal("3E-39"), 0.0);
    EXPECT_NEAR(textToReal("1.7E38"), 1.7e38, 1.7e38 * 2e-12);
    EXPECT_THROW(textToReal("1E40"), FloatOverflowError);
    EXPECT_THROW(textToReal("-1,8E38"), FloatOverflowError);
    EXPECT_THROW(textToReal("1E99999999999"), FloatOverflowError);
    EXPECT_EQ(textToReal("0E99999999999"), 0.0);
    EXPECT_THROW(textToReal("abc", "1E40"), FloatOverflowError); // the fallback too
}

TEST(TextToReal, AFieldBeforeACommaReadsAsTheFieldAlone) {
    // Numbers that end at the comma, malformed ones, none, one without a
    // comma, a comma first, blanks, fields with a character beside a digit's.
    for (const char* text : {"12345.1234,-2.994,-180.00", "5.,3", "E5,1", "1e,2", "1e+5,2", "1.5x,3", " -2,5", ",5",
                             "", "abc", "1.5", "7", "1.5 ,2", "1:5,2", "1/5,2", "+.5,", "1e40x,1", "0.000000000000000000001,0"}) {
        const std::string_view field = std::string_view(text).substr(0, std::string_view(text).find(','));
        const FieldValue read = textToRealBeforeComma(text, "7");
        EXPECT_EQ(read.end, std::string_view(text).find(',')) << text;
        EXPECT_EQ(read.value, textToReal(field, "7")) << text;
    }
    EXPECT_THROW(textToRealBeforeComma("1e40,1"), FloatOverflowError);
}

TEST(TextToNumber, IntegerSyntax) {
    EXPECT_EQ(textToNumber("12"), 12);
    EXPECT_EQ(textToNumber("  -12"), -12);
    EXPECT_EQ(textToNumber("+7"), 7);
    EXPECT_EQ(textToNumber("$1F"), 31);
    EXPECT_EQ(textToNumber("$1f"), 31);
    EXPECT_EQ(textToNumber("$FFFFFFFF"), -1);
    EXPECT_EQ(textToNumber("2147483647"), 2147483647);
    EXPECT_EQ(textToNumber("-2147483648"), -2147483647 - 1);
    for (const char* text : {"12.0", "2147483648", "-2147483649", "$100000000", "-$1", "$", "",
                             "12 ", "1,0", "99999999999999999999"})
        EXPECT_EQ(textToNumber(text, false, -99), -99) << '"' << text << '"';
}

TEST(TextToNumber, RoundedRealsGoHalfToEven) {
    EXPECT_EQ(textToNumber("2.5", true), 2);
    EXPECT_EQ(textToNumber("3.5", true), 4);
    EXPECT_EQ(textToNumber("-2,5", true), -2);
    EXPECT_EQ(textToNumber("12.6", true), 13);
    EXPECT_EQ(textToNumber("x", true, 5), 5);
    EXPECT_THROW(textToNumber("3E9", true), InvalidOperationError);
}

TEST(NumberToText, PlainDecimal) {
    EXPECT_EQ(numberToText(0), "0");
    EXPECT_EQ(numberToText(-5), "-5");
    EXPECT_EQ(numberToText(2147483647), "2147483647");
}
