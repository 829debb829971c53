#include "core/helpers/xml_output.h"

#include "platform/shell/atomic_file.h"

namespace tarix::MyConsts {

namespace {
const QString kKoniecRiadku = QStringLiteral("\r\n");

QString escaped(const QString &value, bool attribute)
{
    QString out;
    out.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            if (attribute) {
                out += QStringLiteral("&quot;");
                break;
            }
            out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}
} // namespace

QString xmlValueText(const QString &value) { return escaped(value, false); }
QString xmlAttributeText(const QString &value) { return escaped(value, true); }

void XmlText::Xml_novy_riadok() { m_text += kKoniecRiadku; }

void XmlText::Xml_riadok(const QString &text)
{
    m_text += text;
    m_text += kKoniecRiadku;
}

void XmlText::Xml_zaciatok(const QString &tag) { Xml_riadok(u'<' + tag + u'>'); }

void XmlText::Xml_koniec(const QString &tag) { Xml_riadok(QStringLiteral("</") + tag + u'>'); }

void XmlText::Xml_element(const QString &tag, const QString &value)
{
    Xml_riadok(u'<' + tag + u'>' + xmlValueText(value) + QStringLiteral("</") + tag + u'>');
}

void XmlText::Xml_element_neprazdny(const QString &tag, const QString &value)
{
    if (!value.trimmed().isEmpty())
        Xml_element(tag, value);
}

void XmlText::Xml_prazdny_element(const QString &tag) { Xml_riadok(u'<' + tag + u' ' + m_atributy + QStringLiteral("/>")); }

void XmlText::Xml_zaciatok_s_atributmi(const QString &tag) { Xml_riadok(u'<' + tag + u' ' + m_atributy + u'>'); }

void XmlText::Xml_pole(const QString &name, const QString &value)
{
    Xml_prvy_atribut(QStringLiteral("name"), name);
    Xml_zaciatok_s_atributmi(QStringLiteral("field"));
    Xml_element(QStringLiteral("value"), value);
    Xml_koniec(QStringLiteral("field"));
}

void XmlText::Xml_pridaj_atribut(const QString &name, const QString &value)
{
    if (!m_atributy.isEmpty())
        m_atributy += u' ';
    m_atributy += name + QStringLiteral("=\"") + xmlAttributeText(value) + u'"';
}

void XmlText::Xml_prvy_atribut(const QString &name, const QString &value)
{
    m_atributy.clear();
    Xml_pridaj_atribut(name, value);
}

void XmlText::clear()
{
    m_text.clear();
    m_atributy.clear();
}

void XmlText::Xml_uloz(const QString &path) const { shell::writeFileAtomically(path, bytes()); }

} // namespace tarix::MyConsts
