// The XML and form-data writer: each line as the recipient reads it (UTF-8, CR LF,
// escaped values and attributes), writers that keep their own documents, and the file
// written whole.
#include "core/helpers/xml_output.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tarix::MyConsts::XmlText;

namespace {

struct ElementCase {
    const char *name;
    QString value;
    QByteArray bytes;
};

// Element content: "&", "<" and ">" become entities; '"' stays (only attributes quote);
// letters outside ASCII are their UTF-8 bytes ("ľ" U+013E is C4 BE); every line ends CR LF.
const ElementCase kElements[] = {
    {"ampersand", QStringLiteral("A & B"), "<X>A &amp; B</X>\r\n"},
    {"angles", QStringLiteral("<a>"), "<X>&lt;a&gt;</X>\r\n"},
    {"slovak letter", QStringLiteral("ľ"), "<X>\xC4\xBE</X>\r\n"},
    {"quote stays in content", QStringLiteral("\"x\""), "<X>\"x\"</X>\r\n"},
    {"empty value", QString(), "<X></X>\r\n"},
    {"entity text is escaped again", QStringLiteral("&amp;"), "<X>&amp;amp;</X>\r\n"},
};

} // namespace

TEST(XmlText, ElementValuesAreEscapedAndUtf8)
{
    for (const ElementCase &c : kElements) {
        XmlText x;
        x.Xml_element(QStringLiteral("X"), c.value);
        EXPECT_EQ(x.bytes(), c.bytes) << c.name;
    }
}

TEST(XmlText, BlankValueWritesNoOptionalElement)
{
    XmlText x;
    x.Xml_element_neprazdny(QStringLiteral("X"), QStringLiteral("   "));
    x.Xml_element_neprazdny(QStringLiteral("Y"), QString());
    EXPECT_TRUE(x.bytes().isEmpty());
    x.Xml_element_neprazdny(QStringLiteral("Z"), QStringLiteral(" a "));
    EXPECT_EQ(x.bytes(), QByteArray("<Z> a </Z>\r\n"));
}

TEST(XmlText, AttributesJoinWithOneBlankAndQuoteTheirValues)
{
    XmlText x;
    x.Xml_pridaj_atribut(QStringLiteral("a"), QStringLiteral("1"));
    x.Xml_pridaj_atribut(QStringLiteral("b"), QStringLiteral("2"));
    EXPECT_EQ(x.Xml_atributy(), QStringLiteral("a=\"1\" b=\"2\""));
    x.Xml_prazdny_element(QStringLiteral("e"));
    // An attribute value also quotes '"' (it would end the value) besides "&", "<", ">".
    x.Xml_prvy_atribut(QStringLiteral("n"), QStringLiteral("Š \"M\" & <1>"));
    x.Xml_zaciatok_s_atributmi(QStringLiteral("t"));
    x.Xml_koniec(QStringLiteral("t"));
    EXPECT_EQ(x.bytes(), QByteArray("<e a=\"1\" b=\"2\"/>\r\n"
                                    "<t n=\"\xC5\xA0 &quot;M&quot; &amp; &lt;1&gt;\">\r\n"
                                    "</t>\r\n"));
}

TEST(XmlText, FormDataFieldIsThreeLinesEscapedOnce)
{
    XmlText x;
    x.Xml_pridaj_atribut(QStringLiteral("stale"), QStringLiteral("x"));
    x.Xml_pole(QStringLiteral("b12c96nfZamNaz"), QStringLiteral("A & B"));
    // The field's own attribute replaces whatever was pending.
    EXPECT_EQ(x.bytes(), QByteArray("<field name=\"b12c96nfZamNaz\">\r\n"
                                    "<value>A &amp; B</value>\r\n"
                                    "</field>\r\n"));
}

TEST(XmlText, RawLinesTagsAndLineEnds)
{
    XmlText x;
    x.Xml_riadok(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.Xml_zaciatok(QStringLiteral("a"));
    x.Xml_novy_riadok();
    x.Xml_koniec(QStringLiteral("a"));
    EXPECT_EQ(x.bytes(), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<a>\r\n\r\n</a>\r\n"));
}

TEST(XmlText, EachWriterKeepsItsOwnDocument)
{
    XmlText a, b;
    a.Xml_element(QStringLiteral("A"), QStringLiteral("1"));
    a.Xml_prvy_atribut(QStringLiteral("x"), QStringLiteral("1"));
    b.Xml_prazdny_element(QStringLiteral("B"));
    EXPECT_EQ(a.bytes(), QByteArray("<A>1</A>\r\n"));
    EXPECT_EQ(b.bytes(), QByteArray("<B />\r\n"));
    a.clear();
    EXPECT_TRUE(a.bytes().isEmpty());
    EXPECT_TRUE(a.Xml_atributy().isEmpty());
}

TEST(XmlText, SaveWritesTheWholeDocumentAndKeepsTheBuffer)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.xml"));
    XmlText x;
    x.Xml_element(QStringLiteral("M"), QStringLiteral("Čierny"));
    x.Xml_uloz(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("<M>\xC4\x8Cierny</M>\r\n"));
    EXPECT_FALSE(x.bytes().isEmpty());
    // A folder that does not exist: the write fails and leaves nothing behind.
    EXPECT_ANY_THROW(x.Xml_uloz(dir.filePath(QStringLiteral("missing/v.xml"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing"))));
}
