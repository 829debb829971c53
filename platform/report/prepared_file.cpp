#include "platform/report/prepared_file.h"

#include "platform/errors.h"
#include "platform/shell/atomic_file.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>

namespace tarix::rpt {

namespace {

constexpr char kSignature[] = "TARIXZOS";
constexpr int kSignatureSize = 8;
constexpr int kDigestSize = 32;   // SHA-256
constexpr int kHeaderSize = kSignatureSize + 4 + 8 + kDigestSize;
// The stream format is pinned so a file written by a later Qt reads the same.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

QString shown(const QString &fileName) { return QDir::toNativeSeparators(fileName); }

QString damaged(const QString &fileName)
{
    return QStringLiteral("Súbor %1 je poškodený alebo neúplný, tlačovú zostavu z neho nemožno načítať.")
        .arg(shown(fileName));
}

void fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

void writePen(QDataStream &s, const PreparedPen &p)
{
    s << p.widthScreen << p.widthPaper << qint32(p.style) << p.color;
}

void writeItem(QDataStream &s, const PreparedItem &it)
{
    s << qint32(it.type) << it.rect << it.line;
    writePen(s, it.pen);
    s << it.brush << it.lines << quint32(it.lineWidths.size());
    for (double w : it.lineWidths)
        s << w;
    s << it.font << it.color << qint32(it.alignment.toInt()) << it.lineHeight << it.ascent << it.name
      << qint32(it.source);
}

// Reads an enumeration stored as a number; false when it is outside [0, last].
template <class E>
bool readEnum(QDataStream &s, E &out, int last)
{
    qint32 v = -1;
    s >> v;
    if (s.status() != QDataStream::Ok || v < 0 || v > last)
        return false;
    out = E(v);
    return true;
}

// A count read from the file can never exceed the bytes left: every element takes at least
// one byte. This keeps a damaged count from driving a huge allocation or loop.
bool readCount(QDataStream &s, quint32 &n)
{
    s >> n;
    return s.status() == QDataStream::Ok && qint64(n) <= s.device()->bytesAvailable();
}

bool readPen(QDataStream &s, PreparedPen &p)
{
    s >> p.widthScreen >> p.widthPaper;
    if (!readEnum(s, p.style, int(Qt::CustomDashLine)))
        return false;
    s >> p.color;
    return s.status() == QDataStream::Ok;
}

bool readItem(QDataStream &s, PreparedItem &it)
{
    if (!readEnum(s, it.type, int(PreparedItem::Ellipse)))
        return false;
    s >> it.rect >> it.line;
    if (!readPen(s, it.pen))
        return false;
    s >> it.brush >> it.lines;
    quint32 widths = 0;
    if (!readCount(s, widths))
        return false;
    it.lineWidths.resize(widths);
    for (double &w : it.lineWidths)
        s >> w;
    qint32 alignment = 0;
    s >> it.font >> it.color >> alignment >> it.lineHeight >> it.ascent >> it.name;
    it.alignment = Qt::Alignment::fromInt(alignment);
    return readEnum(s, it.source, int(ElementKind::Shape));
}

bool readReport(QDataStream &s, PreparedReport &r)
{
    qint32 zoom = 0;
    quint32 pages = 0;
    s >> r.printed >> r.title >> zoom;
    r.previewZoom = zoom;
    if (!readCount(s, pages))
        return false;
    for (quint32 p = 0; p < pages; ++p) {
        PreparedPage page;
        s >> page.size;
        if (!readEnum(s, page.orientation, int(Orientation::Landscape)))
            return false;
        quint32 items = 0;
        if (!readCount(s, items))
            return false;
        for (quint32 i = 0; i < items; ++i) {
            PreparedItem it;
            if (!readItem(s, it))
                return false;
            page.items.push_back(std::move(it));
        }
        r.pages.push_back(std::move(page));
    }
    return s.status() == QDataStream::Ok && s.atEnd();
}

} // namespace

QByteArray preparedReportBytes(const PreparedReport &report)
{
    QByteArray payload;
    {
        QDataStream s(&payload, QIODevice::WriteOnly);
        s.setVersion(kStreamVersion);
        s << report.printed << report.title << qint32(report.previewZoom) << quint32(report.pages.size());
        for (const PreparedPage &page : report.pages) {
            s << page.size << qint32(page.orientation) << quint32(page.items.size());
            for (const PreparedItem &it : page.items)
                writeItem(s, it);
        }
    }
    QByteArray out;
    QDataStream h(&out, QIODevice::WriteOnly);
    h.setVersion(kStreamVersion);
    h.writeRawData(kSignature, kSignatureSize);
    h << kPreparedFileVersion << quint64(payload.size());
    const QByteArray digest = QCryptographicHash::hash(payload, QCryptographicHash::Sha256);
    h.writeRawData(digest.constData(), int(digest.size()));
    h.writeRawData(payload.constData(), int(payload.size()));
    return out;
}

std::optional<PreparedReport> preparedReportFromBytes(const QByteArray &bytes, const QString &fileName, QString *error)
{
    if (!bytes.startsWith(QByteArray(kSignature, kSignatureSize))) {
        fail(error, QStringLiteral("Súbor %1 nie je uložená tlačová zostava.").arg(shown(fileName)));
        return std::nullopt;
    }
    if (bytes.size() < kHeaderSize) {
        fail(error, damaged(fileName));
        return std::nullopt;
    }
    QDataStream h(bytes);
    h.setVersion(kStreamVersion);
    h.skipRawData(kSignatureSize);
    quint32 version = 0;
    quint64 length = 0;
    h >> version >> length;
    if (version == 0 || version > kPreparedFileVersion) {
        fail(error, QStringLiteral("Súbor %1 je uložený vo formáte verzie %2, ktorý tento program nepozná.")
                        .arg(shown(fileName))
                        .arg(version));
        return std::nullopt;
    }
    const QByteArray payload = bytes.mid(kHeaderSize);
    if (quint64(payload.size()) != length
        || QCryptographicHash::hash(payload, QCryptographicHash::Sha256) != bytes.mid(kHeaderSize - kDigestSize, kDigestSize)) {
        fail(error, damaged(fileName));
        return std::nullopt;
    }
    QDataStream s(payload);
    s.setVersion(kStreamVersion);
    PreparedReport report;
    if (!readReport(s, report)) {
        fail(error, damaged(fileName));
        return std::nullopt;
    }
    return report;
}

bool savePreparedReport(const PreparedReport &report, const QString &fileName, QString *error)
{
    try {
        shell::writeFileAtomically(fileName, preparedReportBytes(report));
        return true;
    } catch (const EMyError &e) {
        fail(error, e.text());
        return false;
    }
}

std::optional<PreparedReport> loadPreparedReport(const QString &fileName, QString *error)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("Súbor %1 sa nedá otvoriť: %2").arg(shown(fileName), f.errorString()));
        return std::nullopt;
    }
    return preparedReportFromBytes(f.readAll(), fileName, error);
}

} // namespace tarix::rpt
