#include "canvas/ColourString.h"

#include <gtest/gtest.h>

TEST(ColourString, OnlyHexadecimalDigitsConvertInBlueGreenRedOrder)
{
    EXPECT_EQ(ParseColourString("123456"), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ParseColourString("00ff00"), QColor(0, 255, 0));
    EXPECT_EQ(ParseColourString("FF"), QColor(255, 0, 0));
    for (const char* text : { "", "GGGGGG", "white", "12 345", "-1", "+FF", "0x12", "0X1F", "\tFF",
             "FF\t", "#FF0000", "1234567890" })
        EXPECT_FALSE(ParseColourString(text).has_value()) << '"' << text << '"';

    EXPECT_EQ(ColourOrDefault("GGGGGG", "0000FF"), QColor(255, 0, 0));
    EXPECT_EQ(ColourOrDefault("00FF00", "0000FF"), QColor(0, 255, 0));
}
