#pragma once
// What the tax office's form-data files share: the opening lines of an XFDF document, its
// closing lines naming the PDF form, and the texts of amounts and years in their fields.
#include "core/helpers/xml_output.h"

namespace tarix::reports::dane {

// The XML declaration, the xfdf element (XFDF namespace, xml:space="preserve") and the
// opening fields tag.
void Zaciatok_xfdf(MyConsts::XmlText &x);
// The closing fields tag, the empty element f naming the PDF form and the closing xfdf tag.
void Koniec_xfdf(MyConsts::XmlText &x, const QString &sablona);

// A whole amount without separators ("%0.0f").
QString Cele(double v);
// The last digit of a four-digit year (the forms print "200" before it).
QString Posledna_cislica(int rok);

} // namespace tarix::reports::dane
