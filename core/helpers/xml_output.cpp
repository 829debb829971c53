#include "core/helpers/xml_output.h"

#include "platform/shell/atomic_file.h"

namespace tarix::MyConsts {

namespace {
const QString kKoniecRiadku = QStringLiteral("\r\n");

// The value appended with "&", "<", ">" (and in attributes '"') as entities. The runs
// between them are appended whole: a document of thousands of fields is built without a
// temporary string per value.
void appendEscaped(QString &out, QStringView value, bool attribute)
{
    qsizetype from = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        QLatin1StringView entity;
        switch (value[i].unicode()) {
        case u'&':
            entity = QLatin1StringView("&amp;");
            break;
        case u'<':
            entity = QLatin1StringView("&lt;");
            break;
        case u'>':
            entity = QLatin1StringView("&gt;");
            break;
        case u'"':
            if (attribute)
                entity = QLatin1StringView("&quot;");
            break;
        default:
            break;
        }
        if (entity.isEmpty())
            continue;
        out += value.mid(from, i - from);
        out += entity;
        from = i + 1;
    }
    out += value.mid(from);
}

// The parts appended one after the other, then a line end.
template <class... Parts>
void appendLine(QString &text, const Parts &...parts)
{
    ((text += parts), ...);
    text += kKoniecRiadku;
}

QString escaped(const QString &value, bool attribute)
{
    QString out;
    out.reserve(value.size() + 8);
    appendEscaped(out, value, attribute);
    return out;
}
} // namespace

QString xmlValueText(const QString &value) { return escaped(value, false); }
QString xmlAttributeText(const QString &value) { return escaped(value, true); }

void XmlText::Xml_novy_riadok() { m_text += kKoniecRiadku; }

void XmlText::Xml_riadok(const QString &text) { appendLine(m_text, text); }

void XmlText::Xml_zaciatok(const QString &tag) { appendLine(m_text, u'<', tag, u'>'); }

void XmlText::Xml_koniec(const QString &tag) { appendLine(m_text, QLatin1StringView("</"), tag, u'>'); }

void XmlText::Xml_element(const QString &tag, const QString &value)
{
    m_text += u'<';
    m_text += tag;
    m_text += u'>';
    appendEscaped(m_text, value, false);
    Xml_koniec(tag);
}

void XmlText::Xml_element_neprazdny(const QString &tag, const QString &value)
{
    if (!value.trimmed().isEmpty())
        Xml_element(tag, value);
}

void XmlText::Xml_prazdny_element(const QString &tag)
{
    appendLine(m_text, u'<', tag, u' ', m_atributy, QLatin1StringView("/>"));
}

void XmlText::Xml_zaciatok_s_atributmi(const QString &tag) { appendLine(m_text, u'<', tag, u' ', m_atributy, u'>'); }

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
    m_atributy += name;
    m_atributy += QLatin1StringView("=\"");
    appendEscaped(m_atributy, value, true);
    m_atributy += u'"';
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
