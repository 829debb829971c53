#include <gtest/gtest.h>
#include "platform/errors.h"

TEST(Errors, EMyErrorKeepsItsText)
{
    tarix::EMyError e(QStringLiteral("Nesprávna hodnota."));
    EXPECT_EQ(e.text(), QStringLiteral("Nesprávna hodnota."));
}
