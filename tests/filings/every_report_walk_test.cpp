// Every report the clerk can start, in every period window the dispatcher tells apart, on
// the firm of every case: each launcher's request (and, for a code no launcher sends, the
// plain request of the report dialog) is run as the launcher runs it after its dialog, and
// either prints at least one page or writes its files. None answers "not available". The
// cases come from the launcher table and the dispatch table, so a new launcher or window is
// walked without a word here.
#include "every_case_filings.h"

#include "filings/forms/form_par_hp.h"
#include "reports/dispatcher.h"
#include "reports/launchers.h"
#include "support/widgets/modal_dialogs.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <map>

using namespace tarix;
using namespace tarix::reports;
using namespace Qt::StringLiterals;

namespace {

struct WalkCase {
    std::string name;
    const ReportLauncher *launcher = nullptr; // null: the code's plain request
    int contractKind = -1;
    QString code;
    int period = 0;
    bool shortLayout = false; // the firm's F_ODSTUP set: the short payslip layouts
};

void PrintTo(const WalkCase &c, std::ostream *os) { *os << c.name; }

constexpr int kFixturePeriod = 200704;

// Reports whose case is in another month than the fixture's, and that month.
const std::pair<const char16_t *, int> kCaseMonths[] = {
    {u"POI", 200706},  // a quarter's statement: made in the quarter's last month
    {u"VLND", 200412}, // benefits the employer pays out: only before 2005
};

// The period a window is walked in: the month of the report's case, or the fixture's month
// when the window holds it, else the window's last month.
int periodIn(const DispatchWindow &w)
{
    for (const auto &[code, month] : kCaseMonths)
        if (w.code == QStringView(code) && month >= w.from && month < w.before)
            return month;
    if (kFixturePeriod >= w.from && kFixturePeriod < w.before)
        return kFixturePeriod;
    const int last = w.before % 100 == 1 ? (w.before / 100 - 1) * 100 + 12 : w.before - 1;
    return last;
}

std::string caseName(const QString &who, const QString &code, int period, bool shortLayout)
{
    QString n = who + u'_' + code + u'_' + QString::number(period) + (shortLayout ? u"_short"_s : QString());
    for (QChar &c : n)
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            c = u'_';
    return n.toStdString();
}

std::vector<WalkCase> walkCases()
{
    static const int kContractKinds[] = {0, 1, 2, 10, 11, 12, 13, 14};
    std::vector<WalkCase> out;
    for (const DispatchWindow &w : dispatchWindows()) {
        if (w.error)
            continue; // the window's message is what it shows, by design
        // From 2005 code "ZP" prints nothing: an insurer's statement is the document of
        // "ZP_RTF", and no item sends "ZP" any more.
        if (w.code == u"ZP" && w.from >= 200501)
            continue;
        const int period = periodIn(w);
        bool sent = false;
        for (const bool shortLayout : {false, true}) {
            if (shortLayout && w.shortRoutine.isEmpty())
                continue;
            for (const ReportLauncher &s : reportLaunchers()) {
                if (s.launcherCode) {
                    if (w.code != QStringView(s.launcherCode))
                        continue;
                    sent = true;
                    out.push_back({caseName(QString::fromLatin1(s.id), w.code, period, shortLayout), &s, -1, w.code,
                                   period, shortLayout});
                } else {
                    for (const int kind : kContractKinds)
                        if (contractCode(kind) == w.code) {
                            sent = true;
                            out.push_back({caseName(QString::fromLatin1(s.id), w.code, period, shortLayout), &s, kind,
                                           w.code, period, shortLayout});
                        }
                }
            }
            if (!sent)
                out.push_back({caseName(u"kod"_s, w.code, period, shortLayout), nullptr, -1, w.code, period,
                               shortLayout});
        }
    }
    return out;
}

// Every file of the installation's output folders with its size and time, the firm's,
// year's and private data aside.
std::map<QString, std::pair<qint64, qint64>> outputFiles(const QString &root)
{
    std::map<QString, std::pair<qint64, qint64>> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        const QString rel = f.filePath().mid(root.size());
        if (rel.startsWith(u"DATA") || rel.startsWith(u"PRIVATE") || rel.startsWith(u"COMMON"))
            continue;
        files[rel] = {f.size(), f.lastModified().toMSecsSinceEpoch()};
    }
    return files;
}

class EveryReport : public filings::fixtures::EveryCaseFilings, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(EveryReport, PrintsAPageOrWritesItsFiles)
{
    const WalkCase &c = GetParam();
    copyMonth(c.period);
    if (c.shortLayout)
        session.execute("update \":tarix_data:inf\" set f_odstup = 1");
    if (core::DM().TINF_.isActive())
        core::DM().TINF_.refresh();

    TMyReportParam p = request(c.code, c.period);
    if (c.launcher) {
        LauncherState state;
        state.obdobie = c.period;
        state.zamestnanecKarty = kOrdinary;
        state.zamestnanecZuctovania = kHighEarner;
        state.rokZuctovania = c.period / 100;
        state.druhZmluvy = c.contractKind;
        state.pidZmluvy = c.contractKind >= 0 ? contractOfKind(c.contractKind) : 0;
        if (c.contractKind >= 0) {
            ASSERT_GT(state.pidZmluvy, 0) << "no contract of kind " << c.contractKind;
        }
        const std::optional<TMyReportParam> sent = launcherRequest(*c.launcher, state, p);
        ASSERT_TRUE(sent.has_value());
        p = *sent;
    }
    // What the report dialog adds: the insurer of a statement of one insurer, the stored
    // order of a payment order's print.
    if (p.Vyber_zp)
        p.Cislo = int(session.run("select min(kzp) from \":tarix_data:vyp\" where v_obdobie = :p and kzp > 0",
                                  {{"p", c.period}})
                          .asInteger(0, 0));
    if (c.code == u"HP1" || c.code == u"HP2")
        p.Rezerva1 = kOrder;

    const auto before = outputFiles(root());
    const int previewsBefore = previewHost.shownCount;
    QStringList windows;
    test::whileDialogs([&] { ParForm::Spusti_zostavu_podla_nazvu(p); },
                       [&](QWidget *w) {
                           // The payment order's parts: all as the dialog offers them.
                           if (auto *parts = qobject_cast<filings::TFormParHP *>(w)) {
                               parts->Button1->click();
                               return;
                           }
                           windows << QString::fromLatin1(w->metaObject()->className());
                           w->close();
                       },
                       60000);
    const auto after = outputFiles(root());
    QStringList written;
    for (const auto &[file, stamp] : after) {
        const auto old = before.find(file);
        if (old == before.end() || old->second != stamp)
            written << file;
    }
    const int pages = previewHost.shownCount > previewsBefore ? int(previewHost.last.pageCount()) : 0;
    const QStringList messages = scripted.messages();

    EXPECT_TRUE(windows.isEmpty()) << "unexpected windows: " << windows.join(", ").toStdString();
    const QString notAvailable = unavailableReportText(QString()).section(u' ', -3);
    for (const QString &m : messages)
        EXPECT_FALSE(m.contains(notAvailable)) << m.toStdString();
    EXPECT_TRUE(pages > 0 || !written.isEmpty())
        << "neither a page nor a file; messages: " << messages.join(" | ").toStdString();
    if (!written.isEmpty()) {
        // A file written whole: nothing empty is left for the recipient.
        for (const QString &file : written)
            EXPECT_GT(QFileInfo(root() + file).size(), 0) << file.toStdString();
    }
}

// The walk leaves no launcher out: one whose code no window of the dispatch table holds
// would not be walked at all.
TEST(EveryReportWalk, WalksEveryLauncher)
{
    const std::vector<WalkCase> cases = walkCases();
    for (const ReportLauncher &s : reportLaunchers()) {
        const bool walked = std::any_of(cases.begin(), cases.end(), [&](const WalkCase &c) { return c.launcher == &s; });
        EXPECT_TRUE(walked) << s.id;
    }
}

INSTANTIATE_TEST_SUITE_P(Walk, EveryReport, ::testing::ValuesIn(walkCases()),
                         [](const ::testing::TestParamInfo<WalkCase> &info) { return info.param.name; });

} // namespace
