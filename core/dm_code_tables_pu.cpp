#include "core/dm_code_tables_pu.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <iterator>
#include <utility>

namespace tarix::core {

namespace {
PuLineChoice &puLineChoice()
{
    static PuLineChoice v;
    return v;
}

PuLineChoice &dialog()
{
    static PuLineChoice v;
    return v;
}
} // namespace

bool isAddedPuLine(double id)
{
    return id == 29 || id == 34 || id == 35 || id == 43;
}

QStringList puLineTypeItems()
{
    return {QStringLiteral("Zdravotná poisťovňa - zam."), QStringLiteral("Zdravotná poisťovňa - firma"),
            QStringLiteral("DDP - zam."), QStringLiteral("DDP - firma")};
}

QString newPuLineText(int id)
{
    return id == 29 || id == 35 ? QStringLiteral("zdrav. poistenie ZP č.") : QStringLiteral("DDP č.");
}

NewPuLine newPuLineParameters(int polozka, const QString &kod)
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
    NewPuLine r;
    r.id = kRiadky[polozka].id;
    r.doplnok = QChar(kRiadky[polozka].doplnok);
    r.cislo = cislo;
    r.text = newPuLineText(r.id);
    return r;
}

std::optional<NewPuLine> chooseNewPuLine()
{
    if (puLineChoice())
        return puLineChoice()();
    if (dialog())
        return dialog()();
    return std::nullopt;
}

void setPuLineDialog(PuLineChoice v) { dialog() = std::move(v); }

void setPuLineChoice(PuLineChoice v) { puLineChoice() = std::move(v); }

ScopedPuLineChoice::ScopedPuLineChoice(PuLineChoice v) : m_previous(std::move(puLineChoice()))
{
    puLineChoice() = std::move(v);
}

ScopedPuLineChoice::~ScopedPuLineChoice() { puLineChoice() = std::move(m_previous); }

} // namespace tarix::core
