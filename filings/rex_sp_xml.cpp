#include "filings/rex_sp_xml.h"

#include "core/helpers/unicode_utils.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/file_errors.h"
#include "reports/report_param.h"

#include <QFile>

namespace tarix::filings::RexSpXml {

namespace {

constexpr int kRiadkovVBloku = 100;
// Added once per line, for the line end the receiving side counts.
constexpr quint32 kZaRiadok = 23;

void pridajRiadok(QByteArray &out, const QByteArray &riadok)
{
    out += riadok;
    out += "\r\n";
}

} // namespace

QByteArray Kontrolny_subor(const QByteArray &xml)
{
    QByteArray out;
    pridajRiadok(out, "TARIX Personalistika a Mzdy");
    pridajRiadok(out, "3.20H3");
    pridajRiadok(out, "Norix Software House");

    // The receiver keeps a signed 32-bit sum; unsigned arithmetic wraps the same way.
    quint32 suma = 0;
    int riadkov = 0;
    qsizetype zaciatok = 0;
    do {
        qsizetype koniec = xml.indexOf('\n', zaciatok);
        const qsizetype dalsi = koniec < 0 ? xml.size() : koniec + 1;
        if (koniec < 0)
            koniec = xml.size();
        qsizetype dlzka = koniec - zaciatok;
        if (dlzka > 0 && xml.at(zaciatok + dlzka - 1) == '\r')
            --dlzka;
        const QString riadok = UnicodeUtils::Utf8ToWide(xml.mid(zaciatok, dlzka));
        for (const QChar c : riadok)
            suma += c.unicode();
        suma += kZaRiadok;
        if (++riadkov == kRiadkovVBloku) {
            pridajRiadok(out, QByteArray::number(qint32(suma)));
            suma = 0;
            riadkov = 0;
        }
        zaciatok = dalsi;
    } while (zaciatok < xml.size());
    pridajRiadok(out, QByteArray::number(qint32(suma)));
    return out;
}

void Zapis_kontrolny_subor(const QString &xmlPath, const QString &checkPath)
{
    QFile f(xmlPath);
    if (!f.open(QIODevice::ReadOnly))
        throw shell::EFOpenError(xmlPath);
    const QByteArray xml = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw shell::EReadError(xmlPath);
    shell::writeFileAtomically(checkPath, Kontrolny_subor(xml));
}

void Zapis_kontrolny_subor(const reports::TMyReportParam &p)
{
    Zapis_kontrolny_subor(p.Vstupny_subor, p.Vystupny_subor);
}

} // namespace tarix::filings::RexSpXml
