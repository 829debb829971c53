#include "reports/settlement/rocne_zuctovanie.h"

#include "reports/dispatcher.h"
#include "reports/settlement/rexpz.h"
#include "reports/settlement/rexrz.h"
#include "reports/settlement/rexrz2.h"
#include "reports/settlement/rexrz3.h"
#include "reports/settlement/rexrz4.h"
#include "reports/settlement/rz2004a.h"
#include "reports/settlement/rz2004b.h"
#include "reports/settlement/rz2005a.h"

namespace tarix::reports {

void Registruj_rocne_zuctovanie()
{
    Register_zostav().Registruj(QStringLiteral("TReportPZ"), Spustenie_zostavy<TReportPZ>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ"), Spustenie_zostavy<TReportRZ>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ2"), Spustenie_zostavy<TReportRZ2>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ3"), Spustenie_zostavy<TReportRZ3>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ4"), Spustenie_zostavy<TReportRZ4>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ_2004"), Spustenie_zostavy<TReportRZ_2004>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ_2004B"), Spustenie_zostavy<TReportRZ_2004B>());
    Register_zostav().Registruj(QStringLiteral("TReportRZ_2005"), RZ2005A::Spusti_zostavu);
    Register_zostav().Registruj(QStringLiteral("RZ2005A.Export_rtf_nezisk1"), RZ2005A::Export_rtf_nezisk1);
    Register_zostav().Registruj(QStringLiteral("RZ2005A.Export_rtf_nezisk2"), RZ2005A::Export_rtf_nezisk2);
}

} // namespace tarix::reports
