#include "components/grid/grid_layout.h"

#include "components/grid/ex_db_grid.h"
#include "components/grid/registry_ini_file.h"

#include <QRegularExpression>

#include <optional>

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

namespace {

// The main value of a column: field name, width, title caption, "R" when read-only.
struct MainValue {
    QString fieldName;
    int width = -1; // negative: the column's default width
    QString caption;
    bool readOnly = false;
};

void writeMain(TRegistryIniFile &reg, const QString &section, int i, const MainValue &v)
{
    reg.writeRegistryString(section, QString::number(i),
                    QStringLiteral("%1,%2,%3,%4")
                        .arg(layoutField(v.fieldName))
                        .arg(v.width)
                        .arg(layoutField(v.caption))
                        .arg(v.readOnly ? QStringLiteral("R") : QString()));
}

// None when the value is missing or empty (the number is skipped).
std::optional<MainValue> readMain(const TRegistryIniFile &reg, const QString &section, int i)
{
    QString rest = reg.readRegistryString(section, QString::number(i), QString());
    if (rest.isEmpty())
        return std::nullopt;
    MainValue v;
    v.fieldName = takeLayoutField(rest);
    v.width = intOr(takeLayoutField(rest), 64);
    v.caption = takeLayoutField(rest);
    v.readOnly = takeLayoutField(rest).contains(u'R');
    return v;
}

void saveExParts(TRegistryIniFile &reg, const QString &section, TExDBGrid &grid, int i)
{
    const TExDBColumn &c = *grid.column(i);
    const QString n = QString::number(i);
    reg.writeRegistryString(section, n + QStringLiteral("_Title"), fontRecord(c.titleFont(), c.TitleColor(), c.titleAlignment()));
    reg.writeRegistryString(section, n + QStringLiteral("_Data"), fontRecord(c.Font(), c.Color(), grid.columnAlignment(i)));
    const QVariant footer = c.FooterValue();
    reg.writeRegistryString(section, n + QStringLiteral("_Sort"),
                    QStringLiteral("%1,%2,%3,%4,%5,%6,%7")
                        .arg(int(c.SortType()))
                        .arg(layoutField(c.SortCaption()))
                        .arg(c.BandIndex())
                        .arg(int(c.InplaceEditor()))
                        .arg(layoutField(footer.isValid() && !footer.isNull() ? footer.toString() : QString()))
                        .arg(int(c.FooterType()))
                        .arg(c.Tag()));
    if (!c.FooterText().isEmpty())
        reg.writeRegistryString(section, n + QStringLiteral("_Footer"), layoutField(c.FooterText()));
}

void loadExColumn(const TRegistryIniFile &reg, const QString &section, TExDBGrid &grid, int i, const MainValue &v)
{
    const QString n = QString::number(i);
    TExDBColumn &c = grid.addExColumn();
    c.setFieldName(v.fieldName);
    if (v.width >= 0)
        c.setWidth(v.width);
    c.setTitleCaption(v.caption);
    c.setReadOnly(v.readOnly);

    const QString title = reg.readRegistryString(section, n + QStringLiteral("_Title"), QString());
    if (!title.isEmpty()) {
        TExFont font = c.titleFont();
        TColor color = c.TitleColor();
        Qt::Alignment alignment = c.titleAlignment();
        applyFontRecord(title, font, color, alignment);
        c.setTitleFont(font);
        c.setTitleColor(color);
        c.setTitleAlignment(alignment);
    }
    const QString data = reg.readRegistryString(section, n + QStringLiteral("_Data"), QString());
    if (!data.isEmpty()) {
        TExFont font = c.Font();
        TColor color = c.Color();
        Qt::Alignment alignment = grid.columnAlignment(grid.columnCount() - 1);
        applyFontRecord(data, font, color, alignment);
        c.setFont(font);
        c.setColor(color);
        c.setAlignment(alignment);
    }
    QString sort = reg.readRegistryString(section, n + QStringLiteral("_Sort"), QString());
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
    QString footerText = reg.readRegistryString(section, n + QStringLiteral("_Footer"), QString());
    if (!footerText.isEmpty())
        c.setFooterText(takeLayoutField(footerText));
}

} // namespace

void SaveLayout(dbctrl::DBGrid &grid, const QString &key, const QString &section)
{
    TRegistryIniFile reg(key);
    auto *ex = dynamic_cast<TExDBGrid *>(&grid);
    const dbctrl::DBGridModel &model = *grid.gridModel();
    const int count = ex ? ex->columnCount() : model.columnCount();
    reg.writeRegistryInteger(section, QStringLiteral("Count"), count);
    for (int i = 0; i < count; ++i) {
        if (ex) {
            const TExDBColumn &c = *ex->column(i);
            writeMain(reg, section, i, {c.FieldName(), c.Width(), ex->columnCaption(i), c.ReadOnly()});
            saveExParts(reg, section, *ex, i);
        } else {
            const dbctrl::DBGridColumn &c = model.effectiveColumns()[i];
            writeMain(reg, section, i,
                      {c.fieldName, grid.columnWidth(i), model.headerData(i, Qt::Horizontal).toString(), c.readOnly});
        }
    }
    reg.commit();
}

void LoadLayout(dbctrl::DBGrid &grid, const QString &key, const QString &section)
{
    const TRegistryIniFile reg(key);
    auto *ex = dynamic_cast<TExDBGrid *>(&grid);
    std::optional<TExDBGrid::LayoutLoad> load;
    if (ex)
        load.emplace(*ex);
    const int count = reg.readRegistryInteger(section, QStringLiteral("Count"), 0);
    if (count <= 0)
        return;
    if (ex)
        ex->removeAllColumns();
    QVector<dbctrl::DBGridColumn> plain;
    for (int i = 0; i < count; ++i) {
        const std::optional<MainValue> v = readMain(reg, section, i);
        if (!v)
            continue;
        if (ex)
            loadExColumn(reg, section, *ex, i, *v);
        else
            plain.append({v->fieldName, v->caption, v->width >= 0 ? v->width : -1, v->readOnly});
    }
    if (!ex)
        grid.setColumns(plain);
}

} // namespace tarix::grid
