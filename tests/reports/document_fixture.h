#pragma once
// The demo firm (years 2004 to 2007, opened in January 2007, no payroll rows) with the
// employment documents, letters and pension record registered, the program folder's paths
// and the firm's output folder set, and contract rows written by the tests.
#include "sheets_fixture.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/output_file.h"
#include "reports/documents/pracovne_dokumenty.h"

#include <QDir>
#include <QFile>

namespace tarix::reports::fixtures {

class DocumentFirm : public SheetsFirm {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        Registruj_pracovne_dokumenty();
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(root(), QString(), QString()));
        MyConsts::setOutputFolder(root() + "vystupy/DATA01/2007/");
        QDir().mkpath(MyConsts::outputFolder());
    }
    void TearDown() override
    {
        MyConsts::setOutputFolder(QString());
        core::setAppPaths(m_paths);
        SheetsFirm::TearDown();
    }

    // A contract row of an employee; R1..R12 are "<kind>-R<n>" unless given.
    int insertPpv(int codeEmp, int typ, QVariantMap values = {})
    {
        QVariantMap row{{"CODE_EMP", codeEmp}, {"TYP", typ}, {"NASTUP", QDate(2007, 2, 1)},
                        {"MIESTO", "Trnava"},  {"DATUM", QDate(2007, 1, 25)}};
        for (int i = 1; i <= 12; ++i)
            row.insert(QStringLiteral("R%1").arg(i), QStringLiteral("text-R%1").arg(i));
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            row.insert(it.key(), it.value());
        QStringList names, marks;
        db::Params params;
        int i = 0;
        for (auto it = row.cbegin(); it != row.cend(); ++it, ++i) {
            names << it.key();
            marks << QStringLiteral(":v%1").arg(i);
            params.set(QStringLiteral("v%1").arg(i), it.value());
        }
        session.execute(QStringLiteral("insert into \":tarix_data:ppv\" (%1) values (%2)").arg(names.join(','), marks.join(',')),
                        params);
        return int(session.run("select max(pid) from \":tarix_data:ppv\"").asInteger(0, 0));
    }

    QString frm() const { return core::Priecinok_formularov(core::appPaths().networkRoot); }

    static QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QByteArray expectedFile(const QString &name)
    {
        return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/reports/expected/") + name);
    }

private:
    core::AppPaths m_paths;
};

} // namespace tarix::reports::fixtures
