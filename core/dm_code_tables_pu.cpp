#include "core/dm_code_tables_pu.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <iterator>
#include <utility>

namespace tarix::core {

namespace {
VolbaRiadkuPU &volba()
{
    static VolbaRiadkuPU v;
    return v;
}

VolbaRiadkuPU &dialog()
{
    static VolbaRiadkuPU v;
    return v;
}
} // namespace

bool Je_pridavany_riadok_pu(double id)
{
    return id == 29 || id == 34 || id == 35 || id == 43;
}

QStringList Polozky_typu_riadku_pu()
{
    return {QStringLiteral("Zdravotná poisťovňa - zam."), QStringLiteral("Zdravotná poisťovňa - firma"),
            QStringLiteral("DDP - zam."), QStringLiteral("DDP - firma")};
}

QString Text_noveho_riadku_pu(int id)
{
    return id == 29 || id == 35 ? QStringLiteral("zdrav. poistenie ZP č.") : QStringLiteral("DDP č.");
}

NovyRiadokPU Parametre_noveho_riadku_pu(int polozka, const QString &kod)
{
    static constexpr struct {
        int id;
        char16_t doplnok;
    } kRiadky[] = {{29, u'Z'}, {35, u'F'}, {34, u'Z'}, {43, u'F'}};
    if (polozka < 0 || polozka >= int(std::size(kRiadky)))
        throw EMyError(Msg(65112));
    if (kod.isEmpty())
        throw EMyError(Msg(65113));
    for (QChar c : kod) {
        if (c < u'0' || c > u'9')
            throw EMyError(Msg(65114));
    }
    bool ok = false;
    const int cislo = kod.toInt(&ok);
    if (!ok)
        throw EMyError(Msg(65114));
    NovyRiadokPU r;
    r.id = kRiadky[polozka].id;
    r.doplnok = QChar(kRiadky[polozka].doplnok);
    r.cislo = cislo;
    r.text = Text_noveho_riadku_pu(r.id);
    return r;
}

std::optional<NovyRiadokPU> Vyber_novy_riadok_pu()
{
    if (volba())
        return volba()();
    if (dialog())
        return dialog()();
    return std::nullopt;
}

void Nastav_dialog_riadku_pu(VolbaRiadkuPU v) { dialog() = std::move(v); }

void Nastav_volbu_riadku_pu(VolbaRiadkuPU v) { volba() = std::move(v); }

ScopedVolbaRiadkuPU::ScopedVolbaRiadkuPU(VolbaRiadkuPU v) : m_previous(std::move(volba()))
{
    volba() = std::move(v);
}

ScopedVolbaRiadkuPU::~ScopedVolbaRiadkuPU() { volba() = std::move(m_previous); }

} // namespace tarix::core
