#include "reports/run_frame.h"

#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"

#include <exception>

namespace tarix::reports {

TReport::TReport() = default;
TReport::~TReport() = default;

void TReport::Zobraz_zostavu()
{
    Otvor_data();
    Zobraz_nahlad();
    Zatvor_data();
}

bool TReport::Ma_udaje() const
{
    return mainDataSource && !mainDataSource->isEmpty();
}

void TReport::Zobraz_nahlad()
{
    switch (nahlad) {
    case Nahlad::Vzdy:
        preview();
        break;
    case Nahlad::Len_s_udajmi:
        if (Ma_udaje())
            preview();
        break;
    case Nahlad::Hlasenie_prazdnej:
        if (Ma_udaje())
            preview();
        else
            MyConsts::Sprava_chyba(Msg(65179));
        break;
    }
}

void TReport::Nastav_tlacove_volby()
{
    if (Param.Bez_ramcekov)
        MyQuick::Vypni_ramceky(*this);
    if (Param.Len_udaje)
        MyQuick::Vypni_nadpisy(*this);
    if (Sirky_ramcekov)
        MyQuick::Nastav_hrubku_ramcekov(*this, *Sirky_ramcekov);
}

QString Text_chyby_zostavy(const QString &sprava)
{
    return Msg(65180) + sprava;
}

bool Spusti_chranene(const std::function<void()> &beh)
{
    QString chyba;
    try {
        beh();
        return true;
    } catch (const EAbort &) {
        return false;
    } catch (const EMyError &e) {
        chyba = e.text();
    } catch (const std::exception &e) {
        chyba = QString::fromUtf8(e.what());
    } catch (...) {
        chyba = QStringLiteral("Neznáma chyba.");
    }
    MyConsts::Sprava_chyba(Text_chyby_zostavy(chyba));
    return false;
}

void Spusti_zostavu(const TMyReportParam &p, const VytvorenieZostavy &vytvor)
{
    Spusti_chranene([&] {
        // Declared first, ended last: the cursor comes back once the form is freed.
        std::optional<ui::BusyCursorScope> busy(std::in_place);
        std::unique_ptr<TReport> form = vytvor();
        if (!form)
            throw EMyError(QStringLiteral("Tlačovú zostavu sa nepodarilo vytvoriť."));
        form->Nastav_parametre(p);
        form->Nastav_tlacove_volby();
        if (!form->Presypacie_hodiny_ostavaju)
            busy.reset();
        form->Zobraz_zostavu();
    });
}

} // namespace tarix::reports
