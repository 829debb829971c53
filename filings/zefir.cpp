#include "filings/zefir.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/rounding.h"
#include "core/session.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/errors.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/paths.h"
#include "platform/ui/user_interface.h"
#include "reports/report_param.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace tarix::filings::Zefir {

using namespace Qt::Literals::StringLiterals;

namespace {

using reports::REXNZ::Riadok;

const Riadok *findExportRow(const std::vector<Riadok> &riadky, const QString &text)
{
    for (const Riadok &r : riadky)
        if (r.text == text)
            return &r;
    return nullptr;
}

double Suma(const std::vector<Riadok> &riadky, const QString &text)
{
    const Riadok *r = findExportRow(riadky, text);
    return r ? r->suma : 0.0;
}

double Suma1(const std::vector<Riadok> &riadky, const QString &text)
{
    const Riadok *r = findExportRow(riadky, text);
    return r && r->suma1 ? *r->suma1 : 0.0;
}

} // namespace

Mesiac monthSums(const std::vector<Riadok> &riadky, int obdobie, double promile)
{
    Mesiac m;
    m.hrube_mzdy = Suma(riadky, u"Hrubý príjem"_s);
    if (obdobie >= 200401) {
        const QString sp = u"Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ"_s;
        m.np12 = Suma(riadky, u"Poistné - zamestnanci"_s) + Suma(riadky, sp);
        m.np38 = Suma(riadky, u"Poistné - zamestnávateľ"_s) + Suma1(riadky, sp);
    } else {
        m.np12 = Suma(riadky, u"Poistné - zamestnanci"_s)
                 + Suma(riadky, u"Odvod poistného do soc.poisťovne - zamestnanci"_s);
        m.np38 = Suma(riadky, u"Poistné - zamestnávateľ"_s)
                 + Suma(riadky, u"Odvod poistného do soc.poisťovne - zamestnávateľ"_s);
    }
    m.dan = Suma(riadky, u"Daňový úrad - odvod dane spolu"_s);
    m.poistenie = MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, m.hrube_mzdy * promile * 0.001);
    m.nemocenske = Suma1(riadky, u"Sociálna poisťovňa 1.Poistné/2.Dávky NP"_s);
    m.zrazky = Suma(riadky, u"Výplata - zrážky"_s);
    const QString vyplata = u"Výplata - 1.v hotovosti/2.bezhotovostne"_s;
    m.prijmy = Suma(riadky, u"Výplata - zálohy"_s) + Suma(riadky, vyplata) + Suma1(riadky, vyplata);
    return m;
}

QString Hodnota(double suma)
{
    // Sums of hundredths carry binary noise (1233.9999...): the value in hundredths decides.
    const double cele = std::floor(MyConsts::Zaokruhli_sumu(-2, MyConsts::Normal, suma));
    return QString::number(qint64(cele)).rightJustified(6, u' ');
}

QByteArray exportContent(const Rok &rok)
{
    QStringList lines;
    for (int m = 1; m <= 12; ++m) {
        const Mesiac &s = rok[size_t(m - 1)];
        lines << u"------------------"_s << u"Mesiac "_s + QString::number(m).rightJustified(2, u'0')
              << u"hrube mzdy   "_s + Hodnota(s.hrube_mzdy) << u"np12         "_s + Hodnota(s.np12)
              << u"np38         "_s + Hodnota(s.np38) << u"dan          "_s + Hodnota(s.dan)
              << u"poistenie    "_s + Hodnota(s.poistenie) << u"nemocenske   "_s + Hodnota(s.nemocenske)
              << u"zrazky       "_s + Hodnota(s.zrazky) << u"prijmy       "_s + Hodnota(s.prijmy);
    }
    return codepage::cp1250TextFileBytes(lines);
}

QString layoutFileName(db::Session &session, int rok)
{
    QString folder = QDir::cleanPath(session.aliasFolder(QString::fromLatin1(core::kAliasData)));
    return folder + u"/Zefir/Mzdy"_s + QString::number(rok) + u".txt"_s;
}

Rok computeFigures(db::Session &session, int rok)
{
    const db::SqlResult inf = session.run(u"select f_poistne from \":tarix_data:inf\""_s);
    const double promile = inf.rowCount() ? inf.asFloat(0, 0) : 0.0;
    Rok out{};
    reports::TMyReportParam p;
    reports::Priprav_parametre_zostavy(p);
    p.Kod_zostavy = u"NZ"_s;
    for (int m = 1; m <= 12; ++m) {
        p.Obdobie = p.Obdobie_od = p.Obdobie_do = rok * 100 + m;
        out[size_t(m - 1)] = monthSums(reports::REXNZ::Vypocet_rekapitulacie(session, p, false), p.Obdobie, promile);
        MyConsts::Zobraz_priebeh(m * 100 / 12);
    }
    return out;
}

QString Export_udajov()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65152)))
        return {};
    db::Session &session = *db::Session::defaultSession();
    const int rok = core::DM().Aktualny_rok();
    const QString subor = shell::findCaseInsensitive(layoutFileName(session, rok));
    // The folder belongs to Zefir's installation: it is never made here.
    if (!QFileInfo(QFileInfo(subor).absolutePath()).isDir()) {
        MyConsts::Sprava_chyba(shell::whyNotWritable(subor));
        return {};
    }
    Rok sumy;
    {
        ui::ProgressScope priebeh;
        MyConsts::Zobraz_priebeh(0);
        sumy = computeFigures(session, rok);
        MyConsts::Zobraz_priebeh(100);
    }
    try {
        shell::writeFileAtomically(subor, exportContent(sumy));
    } catch (const EMyError &) {
        MyConsts::Sprava_chyba(shell::whyNotWritable(subor));
        return {};
    }
    MyConsts::reportFilesWritten(Msg(65153, subor), {subor});
    return subor;
}

} // namespace tarix::filings::Zefir
