#include "resources/text.h"

#include <gtest/gtest.h>

TEST(DisplayStringTest, ValidUtf8IsReadAsUtf8AndAnythingElseAsLatin1)
{
    const sf::String latin1 = toDisplayString("pas \xE0 cette position, \xE9t\xE9");
    EXPECT_EQ(latin1.getSize(), 25u);
    EXPECT_EQ(latin1[4], 0xE0u);
    EXPECT_EQ(latin1[22], 0xE9u);

    const sf::String utf8 = toDisplayString("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");
    ASSERT_EQ(utf8.getSize(), 5u);
    EXPECT_EQ(utf8[0], 0xE9u);
    EXPECT_EQ(utf8[2], 0xE9u);
    EXPECT_EQ(utf8[4], 0x20ACu);

    // A lone continuation byte, a truncated sequence, an over-long encoding.
    for (const std::string& bytes : {std::string("a\x80"), std::string("\xC3"), std::string("\xC0\xAF")}) {
        const sf::String text = toDisplayString(bytes);
        ASSERT_EQ(text.getSize(), bytes.size());
        for (std::size_t i = 0; i < bytes.size(); ++i)
            EXPECT_EQ(text[i], static_cast<unsigned char>(bytes[i]));
    }
    EXPECT_EQ(toDisplayString("line one\nline two").toAnsiString(), "line one\nline two");
}
