#include "reports/report.h"

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
    showReportPreview();
    Zatvor_data();
}

bool TReport::hasData() const
{
    return mainDataSource && !mainDataSource->isEmpty();
}

void TReport::showReportPreview()
{
    switch (nahlad) {
    case PreviewMode::Vzdy:
        preview();
        break;
    case PreviewMode::Len_s_udajmi:
        if (hasData())
            preview();
        break;
    case PreviewMode::Hlasenie_prazdnej:
        if (hasData())
            preview();
        else
            MyConsts::Sprava_chyba(Msg(65179));
        break;
    }
}

void TReport::setPrintOptions()
{
    if (Param.Bez_ramcekov)
        MyQuick::Vypni_ramceky(*this);
    if (Param.Len_udaje)
        MyQuick::Vypni_nadpisy(*this);
    if (Sirky_ramcekov)
        MyQuick::Nastav_hrubku_ramcekov(*this, *Sirky_ramcekov);
}

QString reportErrorText(const QString &sprava)
{
    return Msg(65180) + sprava;
}

bool runGuarded(const std::function<void()> &beh)
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
    MyConsts::Sprava_chyba(reportErrorText(chyba));
    return false;
}

void Spusti_zostavu(const TMyReportParam &p, const ReportCreation &vytvor)
{
    runGuarded([&] {
        // Declared first, ended last: the cursor comes back once the form is freed.
        std::optional<ui::BusyCursorScope> busy(std::in_place);
        std::unique_ptr<TReport> form = vytvor();
        if (!form)
            throw EMyError(QStringLiteral("Tlačovú zostavu sa nepodarilo vytvoriť."));
        form->Nastav_parametre(p);
        form->setPrintOptions();
        if (!form->Presypacie_hodiny_ostavaju)
            busy.reset();
        form->Zobraz_zostavu();
    });
}

} // namespace tarix::reports
