#include <gtest/gtest.h>
#include "platform/errors.h"

TEST(Errors, EMyErrorKeepsItsText)
{
    tarix::EMyError e(QStringLiteral("Nesprávna hodnota."));
    EXPECT_EQ(e.text(), QStringLiteral("Nesprávna hodnota."));
}

// A guard whose closing step fails while an error unwinds past it: the program goes on and
// the first error reaches its handler (a throwing destructor would end it in terminate).
TEST(Errors, AGuardsFailingClosingStepLetsTheFirstErrorThrough)
{
    int closings = 0;
    struct Guard {
        int &closings;
        ~Guard()
        {
            tarix::closeWithoutThrowing("closing", [this] {
                ++closings;
                throw std::runtime_error("connection gone");
            });
        }
    };
    try {
        Guard guard{closings};
        throw tarix::EMyError(QStringLiteral("Prvá chyba."));
    } catch (const tarix::EMyError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Prvá chyba."));
    }
    EXPECT_EQ(closings, 1);
}
