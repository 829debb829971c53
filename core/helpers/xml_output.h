#pragma once
// An XML document or an XFDF form-data file built line by line in memory: elements with
// escaped values, attribute lists, the three-line field groups of a PDF form. Every line
// ends in CR LF and the text is UTF-8. Each writer holds its own XmlText, so no document
// leaks into another; Xml_uloz writes the whole buffer at once through a temporary file
// beside the target.
#include <QByteArray>
#include <QString>

namespace tarix::MyConsts {

// "&" -> "&amp;", "<" -> "&lt;", ">" -> "&gt;" (element content).
QString xmlValueText(const QString &value);
// As above and '"' -> "&quot;" (attribute values).
QString xmlAttributeText(const QString &value);

class XmlText {
public:
    // A line end.
    void Xml_novy_riadok();
    // The text as it is, then a line end.
    void Xml_riadok(const QString &text);
    // "<tag>" / "</tag>".
    void Xml_zaciatok(const QString &tag);
    void Xml_koniec(const QString &tag);
    // "<tag>" escaped value "</tag>".
    void Xml_element(const QString &tag, const QString &value);
    // The same, only when the value is not blank.
    void Xml_element_neprazdny(const QString &tag, const QString &value);
    // "<tag " + the pending attributes + "/>" and "<tag " + the attributes + ">".
    void Xml_prazdny_element(const QString &tag);
    void Xml_zaciatok_s_atributmi(const QString &tag);
    // A form-data field: <field name="..."> / <value>...</value> / </field>.
    void Xml_pole(const QString &name, const QString &value);

    // Adds name="value" to the pending attributes (one blank between pairs); the value is
    // escaped.
    void Xml_pridaj_atribut(const QString &name, const QString &value);
    // Clears the pending attributes, then adds the pair.
    void Xml_prvy_atribut(const QString &name, const QString &value);
    const QString &Xml_atributy() const { return m_atributy; }

    // Empties the document and the pending attributes.
    void clear();
    // The document as it stands, UTF-8 with CR LF line ends.
    QByteArray bytes() const { return m_text.toUtf8(); }
    const QString &text() const { return m_text; }

    // Writes the document to the file (the buffer stays). A failure to write raises the
    // shell's file errors and leaves an earlier file as it was.
    void Xml_uloz(const QString &path) const;

private:
    QString m_text;
    QString m_atributy;
};

} // namespace tarix::MyConsts
