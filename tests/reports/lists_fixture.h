#pragma once
// The payslip firm (demo installation, years 2004 to 2007, no payroll rows) with the
// payroll lists registered: requests for a list, extra employees for long lists, and the
// checks the lists' tests share.
#include "payslip_fixture.h"

#include "platform/report/render.h"
#include "reports/dispatcher.h"
#include "reports/lists/zoznamy_vyplat.h"

#include <QDir>
#include <QFile>

namespace tarix::reports::fixtures {

class ListsFirm : public PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerPayrollLists();
    }

    static TMyReportParam listRequest(const char *kod, int period)
    {
        TMyReportParam p = request(period);
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie_od = p.Obdobie_do = period;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        return p;
    }

    // Runs the request through the dispatcher; the preview it showed (or none).
    const rpt::PreparedReport *run(const TMyReportParam &p)
    {
        const int before = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(p);
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        return previewHost.shownCount > before ? &previewHost.last : nullptr;
    }

    // An employee written by SQL, the required fields set.
    void addEmployee(int codeEmp, int codeNumb, const QString &surname, const QString &name, int sid = 1)
    {
        session.execute(
            "insert into \":tarix_data:zam\" (code_emp, code_numb, sid, surname, name, born_numb, zamestnanie, "
            "nastup, typzec, fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, "
            "u_zdrav, u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values "
            "(:c, :n, :s, :sn, :nm, null, 'x', '2007-01-01', 1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
            "0, '0')",
            {{"c", codeEmp}, {"n", codeNumb}, {"s", sid}, {"sn", surname}, {"nm", name}});
    }

    // The blank amounts of the stored records made 0, as the payroll calculation stores them.
    void zeroBlanks()
    {
        const db::SqlResult cols = session.run("pragma table_info(vyp)", {}, "TARIX_DATA");
        QStringList sets;
        for (int i = 0; i < cols.rowCount(); ++i) {
            const QString type = cols.value(i, 2).toString().toUpper();
            if (type == "FLOAT" || type == "MONEY_REAL" || type == "SMALLINT" || type == "INTEGER")
                sets << QStringLiteral("%1 = ifnull(%1, 0)").arg(cols.value(i, 1).toString());
        }
        session.execute("update \":tarix_data:vyp\" set " + sets.join(", "));
    }

public:
    // Every text of the report under a control's name, page by page.
    static QStringList textsNamed(const rpt::PreparedReport &r, const QString &name)
    {
        QStringList out;
        for (const rpt::PreparedPage &page : r.pages)
            for (const rpt::PreparedItem *t : page.texts())
                if (t->name == name)
                    out << t->text();
        return out;
    }
    static QString lastTextNamed(const rpt::PreparedReport &r, const QString &name)
    {
        const QStringList all = textsNamed(r, name);
        return all.isEmpty() ? QStringLiteral("<none>") : all.last();
    }
    // Every text within its box and on the paper inside the margins.
    static void expectTextsFit(const rpt::PreparedReport &r)
    {
        for (const rpt::PreparedPage &page : r.pages) {
            const double right = page.size.width() - 10 + 0.01;
            const double bottom = page.size.height() - 10 + 0.01;
            for (const rpt::PreparedItem *t : page.texts()) {
                for (double w : t->lineWidths)
                    EXPECT_LE(w, t->rect.width() + 0.01) << t->name.toStdString() << ": " << t->text().toStdString();
                EXPECT_LE(t->rect.right(), right) << t->name.toStdString();
                EXPECT_LE(t->rect.bottom(), bottom) << t->name.toStdString();
            }
        }
    }
    // Compares with the stored file under tests/reports/expected/; on a difference the
    // actual text is written to a temporary folder and named.
    static void expectSameAsStored(const QString &fileName, const QByteArray &actual)
    {
        QFile f(QStringLiteral(TARIX_SOURCE_DIR "/tests/reports/expected/") + fileName);
        const QByteArray expected = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        if (expected == actual)
            return;
        const QString folder = QDir::temp().filePath(QStringLiteral("tarix_lists_actual"));
        QDir().mkpath(folder);
        QFile out(folder + '/' + fileName);
        if (out.open(QIODevice::WriteOnly))
            out.write(actual);
        ADD_FAILURE() << fileName.toStdString() << " differs from the stored file; the actual one is "
                      << out.fileName().toStdString();
    }
};

} // namespace tarix::reports::fixtures
