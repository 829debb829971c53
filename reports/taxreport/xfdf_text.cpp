#include "reports/taxreport/xfdf_text.h"

#include "platform/format/format.h"

namespace tarix::reports::dane {

using namespace Qt::Literals::StringLiterals;

void Zaciatok_xfdf(MyConsts::XmlText &x)
{
    x.Xml_riadok(u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"_s);
    x.Xml_riadok(u"<xfdf xmlns=\"http://ns.adobe.com/xfdf/\" xml:space=\"preserve\">"_s);
    x.Xml_zaciatok(u"fields"_s);
}

void Koniec_xfdf(MyConsts::XmlText &x, const QString &sablona)
{
    x.Xml_koniec(u"fields"_s);
    x.Xml_prvy_atribut(u"href"_s, sablona);
    x.Xml_prazdny_element(u"f"_s);
    x.Xml_koniec(u"xfdf"_s);
}

QString Cele(double v) { return fmt::format(u"%0.0f", {v}); }

QString Posledna_cislica(int rok) { return QString::number(rok).mid(3, 1); }

} // namespace tarix::reports::dane
