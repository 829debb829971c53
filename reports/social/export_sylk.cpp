#include "reports/social/export_sylk.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/sylk.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/number_format.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/launcher.h"
#include "platform/ui/user_interface.h"
#include "reports/report.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::reports::ParForm {

namespace {

constexpr int kSirky[17] = {5, 11, 5, 5, 5, 10, 8, 8, 8, 8, 10, 8, 8, 8, 8, 10, 8};
constexpr const char16_t *kNadpisy[17] = {
    u"Por.číslo",  u"Rodné číslo", u"Poč.nezaop.detí",     u"Počet dní", u"Na IP neplatí", u"Vym.zák.NP",
    u"NP zamtel",  u"NP zamnec",   u"SP zamtel",           u"SP zamnec", u"Vym.zák.SP,IP a PvN",
    u"IP zamtel",  u"IP zamnec",   u"PvN zamtel",          u"PvN zamnec", u"Vym.zák.UP", u"UP zamtel",
};

// An amount in its plain form: the shortest decimals, a decimal comma.
QString Suma(double v) { return fmt::general(v, fmt::Style{QChar(u','), QChar()}); }

QStringList rowCells(const REXSP1P::Riadok &r, int poradie)
{
    return {QString::number(poradie), r.CALC_BORN_NUMB, QString::number(r.poc_nezaop_deti), QString::number(r.v_dni),
            r.CALC_U_INVALID, Suma(r.n_zaklad_np), Suma(r.oz_nemoc), Suma(r.o_nemoc), Suma(r.oz_dochod),
            Suma(r.o_dochod), Suma(r.n_zaklad_dp), Suma(r.oz_invalid), Suma(r.o_invalid), Suma(r.oz_fondzam),
            Suma(r.o_fondzam), Suma(r.n_zaklad_up), Suma(r.oz_uraz)};
}

void Riadok(QStringList &out, int y, const QStringList &bunky)
{
    for (int x = 1; x <= bunky.size(); ++x)
        out << (x == 1 ? MyConsts::sylkCell(y, 1, bunky.at(0))
                       : QStringLiteral("C;X%1;K").arg(x) + MyConsts::sylkText(bunky.at(x - 1)));
}

} // namespace

QByteArray sylkAttachment(const std::vector<REXSP1P::Riadok> &riadky)
{
    QStringList out = MyConsts::sylkBegin();
    for (int x = 1; x <= 17; ++x)
        out << MyConsts::sylkWidth(x, kSirky[x - 1]);
    QStringList nadpisy;
    for (const char16_t *n : kNadpisy)
        nadpisy << QString::fromUtf16(n);
    Riadok(out, 1, nadpisy);
    int y = 1;
    for (const REXSP1P::Riadok &r : riadky) {
        ++y;
        Riadok(out, y, rowCells(r, y - 1));
    }
    out << MyConsts::sylkEnd();
    return codepage::cp1250TextFileBytes(out, codepage::Mode::Lenient);
}

QString sylkFile(int obdobie)
{
    return MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramExcel) + QStringLiteral("priloha")
           + QString::number(obdobie) + QStringLiteral(".SLK");
}

void Export_sylk(const TMyReportParam &p)
{
    const QString subor = sylkFile(p.Obdobie);
    QByteArray bytes;
    if (!runGuarded([&] {
            bytes = sylkAttachment(REXSP1P::attachmentRows(*db::Session::defaultSession(), p.Obdobie, p.Stredisko_od,
                                                         p.Stredisko_do));
        }))
        return;
    try {
        QDir().mkpath(QFileInfo(subor).absolutePath());
        shell::writeFileAtomically(subor, bytes);
    } catch (const EMyError &) {
        MyConsts::Sprava_chyba(Msg(65123, subor));
        return;
    }
    if (ui::current().askYesNo(Msg(65125)))
        ShellUtils::ShellOpenFile(subor, QString(), QFileInfo(subor).absolutePath());
    else
        MyConsts::reportFilesWritten(Msg(65124, subor), {subor});
}

} // namespace tarix::reports::ParForm
