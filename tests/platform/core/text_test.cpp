#include "platform/core/convert.h"
#include "platform/core/cp1252.h"
#include "platform/core/exceptions.h"

#include <gtest/gtest.h>

namespace {

struct IntCase {
    const char* text;
    std::optional<int> value;
};

TEST(StrToInt, AcceptsTheNotationsFilesUse) {
    const IntCase cases[] = {
        {"0", 0}, {"40", 40}, {"+7", 7}, {"-12", -12}, {"$1F", 31}, {"x1f", 31},
        {"X10", 16}, {"0x28", 40}, {"0X28", 40}, {"-$10", -16}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"$FFFFFFFF", -1},
        {"", std::nullopt}, {"-", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt},
        {"12a", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt}, {"1.0", std::nullopt},
        {"2147483648", std::nullopt}, {"$100000000", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(platform::tryStrToInt(c.text), c.value);
    }
}

TEST(StrToInt, RaisesConvertErrorWithTheTextQuoted) {
    try {
        platform::strToInt("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), "'abc' is not a valid integer value");
        EXPECT_STREQ(e.className(), "EConvertError");
    }
}

TEST(Cp1252, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(platform::utf8ToCp1252(platform::cp1252ToUtf8(all)), all);
}

TEST(Cp1252, MissingCharactersAndBrokenSequencesBecomeInvertedQuestionMark) {
    EXPECT_EQ(platform::utf8ToCp1252("a\xE2\x82\xAC" "b"), "a\x80" "b");     // euro sign
    EXPECT_EQ(platform::utf8ToCp1252("\xE6\x97\xA5"), "\xBF");               // CJK
    EXPECT_EQ(platform::utf8ToCp1252("Afina\xC3\xA7\xC3\xA3o"), "Afina\xE7\xE3o");
    EXPECT_EQ(platform::utf8ToCp1252("x\xC3"), "x\xBF");                     // truncated
    EXPECT_EQ(platform::utf8ToCp1252("\xFFy"), "\xBFy");
}

}  // namespace
