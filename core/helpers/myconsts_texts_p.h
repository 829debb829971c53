#pragma once
// Texts of the messages that the MyConsts routines raise (private to core/helpers).
#include <QString>

namespace tarix::MyConsts::detail {

// 65194
inline QString textNespravnaCiselnaHodnota()
{
    return QStringLiteral("Nesprávna číselná hodnota.");
}

// 65098
inline QString textDlzkaRodnehoCisla()
{
    return QStringLiteral("Dĺžka rodného čísla musí byť minimálne 9 a maximálne 10 znakov.");
}

} // namespace tarix::MyConsts::detail
