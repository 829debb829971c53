#include "reports/taxreport/report_dns3.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/output_file.h"
#include "core/helpers/template_output.h"
#include "core/helpers/text_utils.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/format/format.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/report.h"

namespace tarix::reports::DNS3 {

using namespace Qt::Literals::StringLiterals;

std::array<Sumy, 13> loadSums(db::Session &session, int rok, int strediskoOd, int strediskoDo)
{
    namespace rk = wage_recap;
    std::array<Sumy, 13> s;
    for (int m = 1; m <= 12; ++m) {
        const int obdobie = rok * 100 + m;
        Sumy &x = s[size_t(m - 1)];
        const db::SqlResult q1 = rk::monthSums(session, obdobie, strediskoOd, strediskoDo);
        if (q1.rowCount()) {
            x.a = q1.asFloat(0, q1.columnIndex(u"d_preddavok"_s));
            x.t = q1.asFloat(0, q1.columnIndex(u"d_dan"_s));
        }
        x.n = rk::taxArrears(session, obdobie, strediskoOd, strediskoDo);
        x.o = rk::taxOverpayments(session, obdobie, strediskoOd, strediskoDo);
        s[12].a += x.a;
        s[12].n += x.n;
        s[12].o += x.o;
        s[12].t += x.t;
    }
    return s;
}

void addKeys(MyConsts::TemplateText &sablona, int rok, const QString &firma, const std::array<Sumy, 13> &sumy)
{
    sablona.Sablona_pridaj(u"$rok"_s, u"Rok "_s + QString::number(rok));
    sablona.Sablona_pridaj(u"$firma"_s, firma);
    for (int i = 0; i < 13; ++i) {
        const Sumy &s = sumy[size_t(i)];
        const QString mm = MyConsts::Dopln_zlava(QString::number(i + 1), 2, u'0');
        const auto suma = [&](const char *riadok, double v) {
            sablona.Sablona_pridaj(u"$ss"_s + QString::fromLatin1(riadok) + u'r' + mm, fmt::format(u"%8.0f", {v}));
        };
        suma("01", s.a);
        suma("02", s.n);
        suma("03", s.o);
        suma("07", s.a + s.n - s.o);
        suma("09", s.t);
        suma("11", s.a + s.n - s.o + s.t);
    }
}

QString rtfTemplate() { return core::Priecinok_formularov(core::appPaths().networkRoot) + u"vzor1.rtf"_s; }

QString Vystupny_subor()
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + u"hlasenie.rtf"_s;
}

void Vypln_sablonu_rtf(const TMyReportParam &p)
{
    runGuarded([&] {
        MyConsts::OutputFiles subory{.input = rtfTemplate(), .output = Vystupny_subor()};
        MyConsts::Kontrola_suborov(subory);
        if (!subory.writeAllowed)
            return;
        const int rok = p.Obdobie / 100;
        MyConsts::TemplateText sablona(MyConsts::TemplateText::Format::Rtf);
        addKeys(sablona, rok, p.Text_firmy,
                     loadSums(*db::Session::defaultSession(), rok, p.Stredisko_od, p.Stredisko_do));
        sablona.Sablona_vypln(subory.input, subory.output);
        MyConsts::Otvor_vytvoreny_subor(subory.output);
    });
}

} // namespace tarix::reports::DNS3
