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

class DocumentFirm : public SheetsFirm, public ReportFiles {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        registerWorkDocuments();
        output.set(root(), 2007);
    }
    void TearDown() override
    {
        output.reset();
        SheetsFirm::TearDown();
    }

    // A contract row of an employee; R1..R12 are "<kind>-R<n>" unless given.
    int insertPpv(int codeEmp, int typ, QVariantMap values = {})
    {
        QVariantMap row{{"CODE_EMP", codeEmp}, {"TYP", typ}, {"NASTUP", QDate(2007, 2, 1)},
                        {"MIESTO", "Trnava"},  {"DATUM", QDate(2007, 1, 25)}};
        for (int i = 1; i <= 12; ++i)
            row.insert(QStringLiteral("R%1").arg(i), QStringLiteral("text-R%1").arg(i));
        overlay(row, values);
        insertRow(session, QStringLiteral("ppv"), row);
        return int(session.run("select max(pid) from \":tarix_data:ppv\"").asInteger(0, 0));
    }

    OutputFolder output;
};

} // namespace tarix::reports::fixtures
