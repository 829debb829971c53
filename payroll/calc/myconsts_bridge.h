#pragma once
// TEMPORARY STAND-IN, delete at merge: declarations of the MyConsts helpers that the
// payroll calculation calls, exactly as core/helpers/rounding.h, periods.h,
// text_utils.h and code_texts.h declare them. When those headers are on main, delete
// this file and myconsts_bridge.cpp and include the real headers instead (the payroll
// sources include only this file for them).
#include <QString>
#include <QtGlobal>

namespace tarix::MyConsts {

// core/helpers/rounding.h
double Zaokruhli_sumu(int places, int mode, double value);

// core/helpers/periods.h
int Mesiac_obdobia(int period);
int Rok_obdobia(int period);
int Posun_obdobie(int period, int months);
int Pocet_dni_mesiaca(int period);
QString Nazov_mesiaca(int month, bool upperCase);

// core/helpers/text_utils.h
QString Priznaky_na_text(quint8 flags);
QString Bajt_na_binarny_text(quint8 value);

// core/helpers/code_texts.h
QString Text_typu_premie(int type);
QString Text_typu_sadzby(int type);

} // namespace tarix::MyConsts
