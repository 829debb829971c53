// The file name a report saved to the firm's output folder proposes.
#include "core/helpers/file_choice.h"

#include <gtest/gtest.h>

using namespace tarix;

namespace {

struct NameCase {
    const char *code;
    int period;
    const char *subject;
    const char *expected;
};

class OutputFileBaseName : public ::testing::TestWithParam<NameCase> {};

TEST_P(OutputFileBaseName, CodePeriodAndSubject)
{
    const NameCase &c = GetParam();
    EXPECT_EQ(MyConsts::outputFileBaseName(QString::fromUtf8(c.code), c.period, QString::fromUtf8(c.subject)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputFileBaseName,
    ::testing::Values(NameCase{"VP2005A", 200703, "102", "VP2005A_200703_102"},
                      NameCase{"VYK", 200703, "stredisko 7", "VYK_200703_stredisko-7"},
                      NameCase{"SPXML/2.5", 200701, "", "SPXML-2.5_200701"},
                      NameCase{" VP ", 0, " 102 ", "VP_102"},
                      NameCase{"A:B*C?", 200703, "x\\y", "A-B-C-_200703_x-y"},
                      NameCase{"", 0, "", ""}));

} // namespace
