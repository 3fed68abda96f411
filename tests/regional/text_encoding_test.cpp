#include "regional/text_encoding.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(TextEncoding, Latin1RoundTrip) {
    const std::string bytes = "V1\xE9\xFF\x7F";
    EXPECT_EQ(Latin1ToUtf8(bytes), "V1\xC3\xA9\xC3\xBF\x7F");
    EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(bytes)), bytes);
    EXPECT_EQ(Utf8ToLatin1("Wej\xC5\x9B"
                           "cie"),
              std::nullopt);                        // ś is not in ISO 8859-1
    EXPECT_EQ(Utf8ToLatin1("\xC3"), std::nullopt);  // cut sequence
}

TEST(TextEncoding, SplitBeforeLastUtf16Units) {
    struct Case {
        const char* text;
        size_t split;
    };
    const Case cases[] = {
        {"pomiary.csv", 7},
        {"dane", 0},
        {"abc", 3},  // shorter than four: not split
        {"", 0},
        {"x\xC5\x9B.txt", 3},         // "ś" is one unit of two bytes
        {"ab\xF0\x9F\x98\x80xy", 2},  // an emoji is two units
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitBeforeLastUtf16Units(c.text, 4), c.split);
    }
}

}  // namespace
}  // namespace quorvel
