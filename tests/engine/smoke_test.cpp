#include "engine/textfile.h"

#include <gtest/gtest.h>

TEST(TextFileSmoke, JoinsWithCrLf)
{
    EXPECT_EQ(sorvix::textfile::joinLines({"a", "b"}), QByteArray("a\r\nb\r\n"));
}
