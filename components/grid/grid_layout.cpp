#include "components/grid/grid_layout.h"

#include "components/grid/ex_db_grid.h"
#include "components/grid/registry_ini.h"

#include <QRegularExpression>

namespace tarix::grid {

// ---- the codec ------------------------------------------------------------------------------------

QString layoutField(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    t.replace(u'\n', u'|');
    t.replace(u'\r', u'|');
    if (!t.contains(u',') && !t.contains(u'"'))
        return t;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QString takeLayoutField(QString &rest)
{
    QString field;
    if (rest.startsWith(u'"')) {
        qsizetype i = 1;
        for (;;) {
            const qsizetype q = rest.indexOf(u'"', i);
            if (q < 0) {
                field += rest.mid(i);
                rest.clear();
                return field;
            }
            if (q + 1 < rest.size() && rest[q + 1] == u'"') {
                field += rest.mid(i, q - i) + u'"';
                i = q + 2;
                continue;
            }
            field += rest.mid(i, q - i);
            const qsizetype comma = rest.indexOf(u',', q + 1);
            rest = comma < 0 ? QString() : rest.mid(comma + 1);
            return field;
        }
    }
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) {
        field = rest;
        rest.clear();
    } else {
        field = rest.left(comma);
        rest = rest.mid(comma + 1);
    }
    return field;
}

namespace {

int alignmentCode(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}

Qt::Alignment alignmentOf(int code)
{
    return code == 1 ? Qt::AlignRight : code == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
}

int styleBits(const QFont &f)
{
    return (f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) | (f.strikeOut() ? 8 : 0);
}

int pointSize(const QFont &f)
{
    if (f.pointSize() > 0)
        return f.pointSize();
    return f.pixelSize() > 0 ? qRound(f.pixelSize() * 72.0 / 96.0) : 8;
}

bool readInt(const QString &text, int &out)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (ok)
        out = n;
    return ok;
}

int intOr(const QString &text, int def)
{
    int n = def;
    return readInt(text, n) ? n : def;
}

} // namespace

QString fontRecord(const TExFont &font, TColor background, Qt::Alignment alignment)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
        .arg(font.font.family())
        .arg(font.charset)
        .arg(font.color)
        .arg(pointSize(font.font))
        .arg(styleBits(font.font))
        .arg(background)
        .arg(alignmentCode(alignment));
}

void applyFontRecord(const QString &record, TExFont &font, TColor &background, Qt::Alignment &alignment)
{
    QString rest = record;
    for (int field = 0; field < 7; ++field) {
        QString item;
        if (field < 6) {
            const qsizetype comma = rest.indexOf(u',');
            if (comma < 0)
                return; // a field without its comma is not there
            item = rest.left(comma).trimmed();
            rest = rest.mid(comma + 1);
        } else {
            item = rest.trimmed();
        }
        int n = 0;
        switch (field) {
        case 0:
            if (!item.isEmpty())
                font.font.setFamily(item);
            break;
        case 1:
            if (readInt(item, n))
                font.charset = n;
            break;
        case 2:
            if (readInt(item, n))
                font.color = n;
            break;
        case 3:
            if (readInt(item, n) && n > 0)
                font.font.setPointSize(n);
            break;
        case 4:
            if (readInt(item, n)) {
                font.font.setBold(n & 1);
                font.font.setItalic(n & 2);
                font.font.setUnderline(n & 4);
                font.font.setStrikeOut(n & 8);
            }
            break;
        case 5:
            if (readInt(item, n))
                background = n;
            break;
        case 6:
            if (readInt(item, n))
                alignment = alignmentOf(n);
            break;
        }
    }
}

// ---- storing ------------------------------------------------------------------------------------

void SaveLayout(TExDBGrid &grid, const QString &key, const QString &section)
{
    TRegistryIniFile reg(key);
    const int count = grid.columnCount();
    reg.WriteInteger(section, QStringLiteral("Count"), count);
    for (int i = 0; i < count; ++i) {
        const TExDBColumn &c = *grid.column(i);
        const QString n = QString::number(i);
        reg.WriteString(section, n,
                        QStringLiteral("%1,%2,%3,%4")
                            .arg(layoutField(c.FieldName()))
                            .arg(c.Width())
                            .arg(layoutField(grid.columnCaption(i)))
                            .arg(c.ReadOnly() ? QStringLiteral("R") : QString()));
        reg.WriteString(section, n + QStringLiteral("_Title"),
                        fontRecord(c.TitleFont(), c.TitleColor(), c.TitleAlignment()));
        reg.WriteString(section, n + QStringLiteral("_Data"),
                        fontRecord(c.Font(), c.Color(), grid.columnAlignment(i)));
        const QVariant footer = c.FooterValue();
        reg.WriteString(section, n + QStringLiteral("_Sort"),
                        QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                            .arg(int(c.SortType()))
                            .arg(layoutField(c.SortCaption()))
                            .arg(c.BandIndex())
                            .arg(int(c.InplaceEditor()))
                            .arg(layoutField(footer.isValid() && !footer.isNull() ? footer.toString() : QString()))
                            .arg(int(c.FooterType()))
                            .arg(c.Tag()));
        if (!c.FooterText().isEmpty())
            reg.WriteString(section, n + QStringLiteral("_Footer"), layoutField(c.FooterText()));
    }
    reg.commit();
}

void LoadLayout(TExDBGrid &grid, const QString &key, const QString &section)
{
    const TRegistryIniFile reg(key);
    TExDBGrid::LayoutLoad load(grid);
    const int count = reg.ReadInteger(section, QStringLiteral("Count"), 0);
    if (count <= 0)
        return;
    grid.removeAllColumns();
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i);
        QString rest = reg.ReadString(section, n, QString());
        if (rest.isEmpty())
            continue;
        TExDBColumn &c = grid.addExColumn();
        c.setFieldName(takeLayoutField(rest));
        const int width = intOr(takeLayoutField(rest), 64);
        if (width >= 0)
            c.setWidth(width);
        c.setTitleCaption(takeLayoutField(rest));
        c.setReadOnly(takeLayoutField(rest).contains(u'R'));

        const QString title = reg.ReadString(section, n + QStringLiteral("_Title"), QString());
        if (!title.isEmpty()) {
            TExFont font = c.TitleFont();
            TColor color = c.TitleColor();
            Qt::Alignment alignment = c.TitleAlignment();
            applyFontRecord(title, font, color, alignment);
            c.setTitleFont(font);
            c.setTitleColor(color);
            c.setTitleAlignment(alignment);
        }
        const QString data = reg.ReadString(section, n + QStringLiteral("_Data"), QString());
        if (!data.isEmpty()) {
            TExFont font = c.Font();
            TColor color = c.Color();
            Qt::Alignment alignment = grid.columnAlignment(grid.columnCount() - 1);
            applyFontRecord(data, font, color, alignment);
            c.setFont(font);
            c.setColor(color);
            c.setAlignment(alignment);
        }
        QString sort = reg.ReadString(section, n + QStringLiteral("_Sort"), QString());
        if (!sort.isEmpty()) {
            c.setSortType(TExSortType(qBound(0, intOr(takeLayoutField(sort), 0), 2)));
            c.setSortCaption(takeLayoutField(sort));
            c.setBandIndex(intOr(takeLayoutField(sort), 0));
            c.setInplaceEditor(TExInplaceEditorType(qBound(0, intOr(takeLayoutField(sort), 0), 6)));
            const QString footer = takeLayoutField(sort);
            c.setFooterValue(footer.isEmpty() ? QVariant() : QVariant(footer));
            c.setFooterType(TExFooterType(qBound(0, intOr(takeLayoutField(sort), 0), 5)));
            c.setTag(intOr(takeLayoutField(sort), 0));
        }
        QString footerText = reg.ReadString(section, n + QStringLiteral("_Footer"), QString());
        if (!footerText.isEmpty())
            c.setFooterText(takeLayoutField(footerText));
    }
}

} // namespace tarix::grid
