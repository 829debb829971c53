#pragma once
// What the report tests share beside their firms: the texts of a prepared report, whether
// they fit their boxes, the files a report writes, the program's paths pointed at the
// test's installation, and the process's registers kept as they were.
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "platform/db/session.h"
#include "platform/report/prepared.h"
#include "platform/report/qt/preview.h"
#include "reports/dispatcher.h"
#include "support/widgets/menu_registers.h"

#include <QDir>
#include <QFile>
#include <QPointF>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <map>

#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

// The checks of prepared reports, for the firms' fixtures to inherit.
struct ReportChecks {
    // Every text of a page, in the order drawn.
    static QStringList pageTexts(const rpt::PreparedPage &page)
    {
        QStringList out;
        for (const rpt::PreparedItem *t : page.texts())
            out << t->text();
        return out;
    }

    // Every text of the report.
    static QStringList allTexts(const rpt::PreparedReport &r)
    {
        QStringList all;
        for (const rpt::PreparedPage &p : r.pages)
            all << pageTexts(p);
        return all;
    }

    // The text of the control of a name (its `occurrence`-th on the page), or "<none>".
    static QString textOf(const rpt::PreparedPage &page, const QString &name, int occurrence = 0)
    {
        const rpt::PreparedItem *t = page.findText(name, occurrence);
        return t ? t->text() : QStringLiteral("<none>");
    }

    // The texts of every control of a name, through all pages, in print order.
    static QStringList textsOf(const rpt::PreparedReport &r, const QString &name)
    {
        QStringList out;
        for (const rpt::PreparedPage &p : r.pages)
            for (int i = 0;; ++i) {
                const rpt::PreparedItem *t = p.findText(name, i);
                if (!t)
                    break;
                out << t->text();
            }
        return out;
    }

    // The right and bottom edge (mm) no box of a page may pass.
    using PageEdges = std::function<QPointF(const rpt::PreparedPage &)>;

    // The same edges on every page.
    static PageEdges edges(double right, double bottom)
    {
        return [right, bottom](const rpt::PreparedPage &) { return QPointF(right, bottom); };
    }

    // Every text fits its box in width (with `lineHeights`, its lines in the box's height too),
    // and every box stays within the page's edges.
    static void expectFitsWithin(const rpt::PreparedReport &r, const PageEdges &edgesOf, bool lineHeights = false)
    {
        for (const rpt::PreparedPage &page : r.pages) {
            const QPointF edge = edgesOf(page);
            for (const rpt::PreparedItem *t : page.texts()) {
                const std::string what = r.title.toStdString() + " " + t->name.toStdString();
                if (lineHeights) {
                    EXPECT_LE(t->lines.size() * t->lineHeight, t->rect.height() + 0.3)
                        << what << ": " << t->text().toStdString();
                }
                for (double w : t->lineWidths)
                    EXPECT_LE(w, t->rect.width() + 0.01) << what << ": " << t->text().toStdString();
                EXPECT_LE(t->rect.right(), edge.x()) << what;
                EXPECT_LE(t->rect.bottom(), edge.y()) << what;
            }
        }
    }
};

// The files the report tests read: written ones, the stored expected ones and the forms of
// the installation. Kept apart from ReportChecks: the filings' tests on these firms read
// their own expected files under the same names.
struct ReportFiles {
    // A file's bytes, or "<missing>".
    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // A stored expected file of the report tests.
    static QByteArray expectedFile(const QString &name)
    {
        return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/reports/expected/") + name);
    }
    // The same with "@FRM@" standing for the frm folder.
    static QByteArray expectedFormFile(const char *name)
    {
        return expectedFile(QString::fromLatin1(name)).replace("@FRM@", frm().toUtf8());
    }

    // The installation's folder of the forms and templates the clerk puts there.
    static QString frm() { return core::Priecinok_formularov(core::appPaths().networkRoot); }
};

// Runs a request through the dispatcher as the menu does; the report the preview showed,
// or null when none came.
inline const rpt::PreparedReport *runThroughDispatcher(rpt::CapturingPreviewHost &host, const TMyReportParam &p)
{
    const int before = host.shownCount;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    return host.shownCount == before ? nullptr : &host.last;
}

// `values` over `row`, a field named in either case once.
inline void overlay(QVariantMap &row, const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        for (auto r = row.begin(); r != row.end(); ++r)
            if (r.key().compare(it.key(), Qt::CaseInsensitive) == 0) {
                row.erase(r);
                break;
            }
        row.insert(it.key(), it.value());
    }
}

// One row of a table of the firm's folder, its fields named.
inline void insertRow(db::Session &session, const QString &table, const QVariantMap &row)
{
    QStringList names, marks;
    db::Params params;
    int i = 0;
    for (auto it = row.cbegin(); it != row.cend(); ++it, ++i) {
        names << it.key();
        marks << QStringLiteral(":v%1").arg(i);
        params.set(QStringLiteral("v%1").arg(i), it.value());
    }
    session.execute(QStringLiteral("insert into \":tarix_data:%1\" (%2) values (%3)")
                        .arg(table, names.join(','), marks.join(',')),
                    params);
}

// One payroll record; the fields the table requires are 0 unless given (`values` over
// `defaults` over those).
inline void insertVyp(db::Session &session, int codeEmp, int period, const QVariantMap &values,
                      const QVariantMap &defaults = {})
{
    QVariantMap row{{"Code_emp", codeEmp},      {"V_obdobie", period},  {"V_rok", period / 100},
                    {"V_mesiac", period % 100}, {"SID", 1},             {"Fixny_mv_plat", 0},
                    {"F_typ_premii", 0},        {"F_sadzba_premii", 0}, {"F_typ_pripl", 0},
                    {"U_zdrav", 1},             {"U_nemoc", 1},         {"U_dochod", 1},
                    {"U_fondzam", 1},           {"U_zdrav1", 0},        {"U_nemoc1", 0},
                    {"U_dochod1", 0},           {"U_fondzam1", 0},      {"U_zdrav2", 0},
                    {"U_nemoc2", 0},            {"U_dochod2", 0},       {"U_fondzam2", 0},
                    {"F_nd_pocita", 0}};
    overlay(row, defaults);
    overlay(row, values);
    insertRow(session, QStringLiteral("vyp"), row);
}

// The program's paths pointed at the test's installation and the firm's output folder of
// a year there (made unless `make` is false, for the writers that make it themselves), for
// the reports that write files; put back as they were by reset().
class OutputFolder {
public:
    void set(const QString &root, int year, bool make = true)
    {
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(root, QString(), QString()));
        MyConsts::setOutputFolder(root + QStringLiteral("vystupy/DATA01/%1/").arg(year));
        if (make)
            QDir().mkpath(MyConsts::outputFolder());
    }
    void reset()
    {
        MyConsts::setOutputFolder(QString());
        core::setAppPaths(m_paths);
    }

private:
    core::AppPaths m_paths;
};

// The process's report register as it was when kept, with the menu's registers (see
// test::MenuRegisters): restore() takes out the routines that came since and puts back
// those replaced, so that later tests meet the menu (and what answers "not available")
// as it was.
class RegisterSnapshot {
public:
    void keep()
    {
        m_routines.clear();
        for (const QString &name : reportRegister().reportNames())
            m_routines.emplace(name, *reportRegister().findReport(name));
        m_menu.keep();
    }
    void restore()
    {
        for (const QString &name : reportRegister().reportNames())
            if (!m_routines.contains(name))
                reportRegister().unregisterReport(name);
        for (const auto &[name, routine] : m_routines)
            reportRegister().registerReport(name, routine);
        m_menu.restore();
    }

private:
    std::map<QString, ReportRun> m_routines;
    test::MenuRegisters m_menu;
};

} // namespace tarix::reports::fixtures
