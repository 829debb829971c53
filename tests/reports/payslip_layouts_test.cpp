// The five payslip layouts pinned: the built form (every band and control with its
// geometry, font and text) and the plain-text export of payslips that print a value in
// every line, against the files under tests/reports/expected/. A changed layout shows as a
// difference here; the actual files are written to a temporary folder for comparison.
// And the fields a payslip prints are checked against its query when it is created.
#include "payslip_fixture.h"

#include "platform/report/description.h"
#include "platform/report/render.h"
#include "reports/dispatcher.h"
#include "reports/report.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <variant>

using namespace tarix;
using namespace tarix::reports;
using fixtures::PayslipFirm;

namespace {

struct Layout {
    const char *trieda;
    int obdobie;
    int odstup;
    int rok;
    std::function<std::unique_ptr<TReport>()> create;
};

template <class R>
std::function<std::unique_ptr<TReport>()> make()
{
    return [] { return std::unique_ptr<TReport>(std::make_unique<R>()); };
}

const Layout kLayouts[] = {
    {"TReportVP2005A", 200703, 0, 2007, make<TReportVP2005A>()},
    {"TReportVP2005B", 200703, 1, 2007, make<TReportVP2005B>()},
    {"TReportVP2", 200403, 0, 2004, make<TReportVP2>()},
    {"TReportVP2T", 200412, 2, 2004, make<TReportVP2T>()},
    {"TReportVP", 200303, 0, 2004, make<TReportVP>()},
};

QString number(double v) { return QString::number(v, 'f', 3); }

QString alignmentText(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("centre");
    return QStringLiteral("left");
}

QString fontText(const rpt::FontSpec &f)
{
    return QStringLiteral("%1 %2%3%4").arg(f.family, QString::number(f.pointSize), f.bold ? " bold" : "",
                                            f.italic ? " italic" : "");
}

// One line per band and per control, in the order the form holds them.
QString structure(const rpt::ReportForm &form)
{
    QStringList out;
    out << QStringLiteral("page %1 margins %2 %3 %4 %5 title \"%6\"")
               .arg(form.page.orientation == rpt::Orientation::Portrait ? "portrait" : "landscape",
                    number(form.page.leftMargin), number(form.page.topMargin), number(form.page.rightMargin),
                    number(form.page.bottomMargin), form.title);
    for (const rpt::Band *b : form.bands()) {
        out << QStringLiteral("band %1 %2 height %3%4").arg(int(b->bandKind())).arg(b->name, number(b->height),
                                                                                  b->forceNewPage ? " newpage" : "");
        for (const rpt::ReportControl *c : b->controls()) {
            QString what;
            switch (c->kind()) {
            case rpt::ElementKind::Label:
                what = QStringLiteral("label \"%1\"").arg(static_cast<const rpt::ReportLabel *>(c)->caption);
                break;
            case rpt::ElementKind::DBText: {
                auto *d = static_cast<const rpt::ReportDBText *>(c);
                what = QStringLiteral("data %1 mask \"%2\" %3")
                           .arg(d->field, d->mask, d->dataSource == form.mainDataSource ? "main" : "other");
                break;
            }
            case rpt::ElementKind::Shape:
                what = QStringLiteral("shape %1").arg(int(static_cast<const rpt::ReportShape *>(c)->shape));
                break;
            default:
                what = QStringLiteral("kind %1").arg(int(c->kind()));
                break;
            }
            out << QStringLiteral("  %1 %2 [%3 %4 %5 %6] %7 %8 tag %9 frame %10")
                       .arg(what, c->name, number(c->left), number(c->top), number(c->width), number(c->height),
                            fontText(c->font), alignmentText(c->alignment))
                       .arg(c->tag)
                       .arg(c->frame.any() ? "yes" : "no");
        }
    }
    return out.join('\n') + '\n';
}

QString expectedFolder() { return QStringLiteral(TARIX_SOURCE_DIR "/tests/reports/expected/"); }

// Compares with the stored file; on a difference the actual text is written beside a
// temporary copy and the test names both files.
void expectSameAsStored(const QString &fileName, const QByteArray &actual)
{
    QFile f(expectedFolder() + fileName);
    const QByteArray expected = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    if (expected == actual)
        return;
    const QString folder = QDir::temp().filePath(QStringLiteral("tarix_payslip_actual"));
    QDir().mkpath(folder);
    QFile out(folder + '/' + fileName);
    if (out.open(QIODevice::WriteOnly))
        out.write(actual);
    ADD_FAILURE() << fileName.toStdString() << " differs from the stored file; the actual one is "
                  << out.fileName().toStdString();
}

} // namespace

class PayslipLayoutPinned : public PayslipFirm, public ::testing::WithParamInterface<Layout> {
protected:
    // A record whose every numeric column holds its own value, and two plain ones.
    void insertRecords(int period)
    {
        const db::SqlResult cols = session.run("pragma table_info(vyp)", {}, "TARIX_DATA");
        QVariantMap full;
        const QStringList skip{"code_emp", "v_obdobie", "v_rok", "v_mesiac", "sid"};
        for (int i = 0; i < cols.rowCount(); ++i) {
            const QString name = cols.value(i, 1).toString();
            const QString type = cols.value(i, 2).toString().toUpper();
            if (skip.contains(name.toLower()) || name.startsWith("U_", Qt::CaseInsensitive))
                continue;
            if (type == "FLOAT" || type == "MONEY_REAL")
                full.insert(name, 100 + i * 7.25);
            else if (type == "SMALLINT" || type == "INTEGER")
                full.insert(name, i % 40);
        }
        full.insert("U_sds", 1);
        insertVyp(1, period, full);
        insertVyp(3, period, {{"N_brutto", 9800.4}, {"N_netto", 8300}, {"Vyplata", 3300}});
        insertVyp(5, period, {{"N_brutto", 18500}, {"F_zdravot", 4}, {"O_zdravot", 740}});
    }
};

TEST_P(PayslipLayoutPinned, BuiltFormIsTheStoredOne)
{
    const Layout &l = GetParam();
    openYear(l.rok);
    const std::unique_ptr<TReport> form = l.create();
    expectSameAsStored(QStringLiteral("payslip_%1.layout").arg(l.trieda), structure(*form).toUtf8());
}

TEST_P(PayslipLayoutPinned, PrintedTextIsTheStoredOne)
{
    const Layout &l = GetParam();
    openYear(l.rok);
    setOdstup(l.odstup);
    payroll::IniSettings n;
    n.Doplatky = QStringLiteral("Doplatky z minulých období");
    payroll::setSettings(n);
    session.execute("update \":tarix_data:inf\" set f_priplat1_text='Príplatok A', f_priplat2_text='Príplatok B', "
                    "f_priplat3_text=null, f_priplat4_text='Príplatok D', f_priplat5_text='Príplatok E'");
    // Payslips one after another: the band height decides where each one starts.
    MyConsts::Parametre(12).Hodnota = 1;
    insertRecords(l.obdobie);

    EXPECT_EQ(chooseReport("VP", l.obdobie, firmDistance).nazov, QString(l.trieda));
    ParForm::Spusti_zostavu_podla_nazvu(request(l.obdobie));
    ASSERT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(previewHost.shownCount, 1);
    expectSameAsStored(QStringLiteral("payslip_%1.txt").arg(l.trieda), rpt::exportText(previewHost.last).toUtf8());
}

INSTANTIATE_TEST_SUITE_P(Layouts, PayslipLayoutPinned, ::testing::ValuesIn(kLayouts),
                         [](const auto &info) { return std::string(info.param.trieda); });

// ---- the fields a layout prints ------------------------------------------------------------------

namespace {

// The layout of 2005 with one more line at the end of its first column.
class PaskaSRiadkom : public TReportPayslip {
public:
    explicit PaskaSRiadkom(const QString &pole) : TReportPayslip(payslip_layouts::Obdobie::Od2005)
    {
        rpt::LayoutDesc l = payslip_layouts::layoutVP2005A();
        auto &items = std::get<rpt::BandDesc>(l.bands.at(0)).items;
        auto it = std::find_if(items.begin(), items.end(), [](const rpt::LayoutItem &i) { return std::holds_alternative<rpt::Stack>(i); });
        std::get<rpt::Stack>(*it).lines.push_back({.block = "line", .args = {{"text", "Navyše"}, {"field", pole}}});
        assemble(l);
    }
};

} // namespace

TEST_F(PayslipFirm, AFieldTheQueryDoesNotReturnIsRefusedWhenThePayslipIsCreated)
{
    insertVyp(1, 200703, {{"N_brutto", 100}, {"V_kal_dni", 30}});
    struct Case {
        const char *pole;
        bool prints;
    } cases[] = {
        {"V_kal_dni", true},          // a column of Vyp no layout prints
        {"holiday_spolu", true},      // a column the query computes
        {"CALC_OCR", true},           // a calculated field
        {"V_kal_dnii", false},
        {"Q2_.holiday_cerpane", false},   // no source of that name
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pole);
        scripted.clearEvents();
        previewHost.shownCount = 0;
        Spusti_zostavu(request(200703), [&] { return std::unique_ptr<TReport>(std::make_unique<PaskaSRiadkom>(c.pole)); });
        if (c.prints) {
            EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
            ASSERT_EQ(previewHost.shownCount, 1);
            EXPECT_EQ(previewHost.last.pages.at(0).findText("QRLAB_" + QString(c.pole))->text(), "Navyše");
        } else {
            ASSERT_EQ(scripted.messages().size(), 1);
            EXPECT_TRUE(scripted.messages()[0].startsWith("Nastala chyba pri vytváraní tlačovej zostavy. Popis zostavy "
                                                          "TReportVP2005A: "))
                << scripted.messages()[0].toStdString();
            EXPECT_TRUE(scripted.messages()[0].contains(QString(c.pole).section('.', 0, 0)));
            EXPECT_EQ(previewHost.shownCount, 0);
        }
    }
}
