#pragma once
// The next free number of a numbered output file ("SPRLZEC_..._00001.xml", "bkp0001.zip").
#include <QString>

namespace tarix::MyConsts {

// The first n from 1 to 10^digits - 1 for which folder / (baseName + n padded with "0" to
// `digits` + "." + extension) names nothing in the folder. Names are compared without
// regard to case ("X.XML" on disk takes the number of "x.xml"), so an existing file is
// never overwritten whatever case it was written in. Returns 0 when every number is taken
// (or `digits` is below 1): the caller must refuse to write then, never use number 0.
// A missing folder has every number free. `digits` above 9 is treated as 9.
int Volne_cislo_suboru(const QString &folder, const QString &baseName,
                       const QString &extension, int digits);

// The same with the folder and the base name in one text ("C:\\out\\SP_" or "out/SP_");
// both "/" and "\\" separate folders.
int Volne_cislo_suboru(const QString &pathAndBase, const QString &extension, int digits);

// Full path (as found on disk) of the last existing file that the latest
// Volne_cislo_suboru call of this thread met; empty when its first number was free.
QString Posledny_subor();

} // namespace tarix::MyConsts
