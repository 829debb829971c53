// Every printed name joins its parts in one place: a name without a title has no leading
// (or trailing) blank, whichever order the report prints the parts in.
#include "reports/certificates/certificate_figures.h"
#include "reports/documents/contract_document.h"
#include "reports/lists/report_list.h"
#include "reports/settlement/settlement_report.h"
#include "reports/sheets/sheet_report.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarix::reports;

TEST(PrintedNames, WithoutATitleNoBlankIsLeftOver)
{
    using Join = std::function<QString(const QString &, const QString &, const QString &)>;
    const struct {
        const char *where;
        Join join;   // (title, name, surname)
        const char *withTitle, *withoutTitle;
    } cases[] = {
        {"certificates", [](auto &t, auto &n, auto &s) { return PZ::nameWithTitle(t, n, s); }, "Ing. Peter Čierny",
         "Peter Čierny"},
        {"settlement", [](auto &t, auto &n, auto &s) { return settlement::titleNameSurname(t, n, s); },
         "Ing. Peter Čierny", "Peter Čierny"},
        {"settlement list", [](auto &t, auto &n, auto &s) { return settlement::nameSurnameTitle(n, s, t); },
         "Peter Čierny Ing.", "Peter Čierny"},
        {"sheets", [](auto &t, auto &n, auto &s) { return sheets::nameSurnameTitle(n, s, t); }, "Peter Čierny Ing.",
         "Peter Čierny"},
        {"lists", [](auto &t, auto &n, auto &s) { return pay_lists::nameSurnameTitle(n, s, t); },
         "Peter Čierny Ing.", "Peter Čierny"},
        {"contracts", [](auto &t, auto &n, auto &s) { return ContractDocument::nameText(t, n, s); },
         "Ing. Peter Čierny", "Peter Čierny"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(c.join(QStringLiteral(" Ing. "), QStringLiteral("Peter "), QStringLiteral(" Čierny")),
                  QString::fromUtf8(c.withTitle));
        EXPECT_EQ(c.join(QString(), QStringLiteral("Peter"), QStringLiteral("Čierny")), QString::fromUtf8(c.withoutTitle));
        EXPECT_EQ(c.join(QStringLiteral("  "), QStringLiteral("Peter"), QStringLiteral("Čierny ")),
                  QString::fromUtf8(c.withoutTitle));
    }
}
