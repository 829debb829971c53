#include "components/grid/ex_db_column.h"

#include "components/grid/ex_db_grid.h"

#include <QPainter>

#include <algorithm>

namespace tarix::grid {

// ---- TExDBColumn ----------------------------------------------------------------------------------

TExDBColumn::TExDBColumn() = default;
TExDBColumn::~TExDBColumn() = default;

void TExDBColumn::changed(Change change)
{
    if (m_grid)
        m_grid->columnChanged(*this, change);
}

void TExDBColumn::setFieldName(const QString &name) { storeIfNew(m_fieldName, name, Change::Structure); }

int TExDBColumn::Width() const { return m_width; }

void TExDBColumn::setWidth(int width) { store(m_width, width, Change::Structure); }

void TExDBColumn::setReadOnly(bool readOnly) { storeIfNew(m_readOnly, readOnly, Change::Structure); }

void TExDBColumn::setTitleCaption(const QString &caption) { storeIfNew(m_titleCaption, caption, Change::Structure); }

void TExDBColumn::setTitleFont(const TExFont &font) { store(m_titleFont, font, Change::Title); }

void TExDBColumn::setTitleColor(TColor color) { store(m_titleColor, color, Change::Title); }

void TExDBColumn::setTitleAlignment(Qt::Alignment alignment) { store(m_titleAlignment, alignment, Change::Title); }

void TExDBColumn::setFont(const TExFont &font) { store(m_font, font, Change::Cells); }

void TExDBColumn::setColor(TColor color) { store(m_color, color, Change::Cells); }

void TExDBColumn::setAlignment(Qt::Alignment alignment) { store(m_alignment, alignment, Change::Cells); }

void TExDBColumn::setPickList(const QStringList &list) { store(m_pickList, list, Change::Cells); }

void TExDBColumn::setButtonStyle(TColumnButtonStyle style) { store(m_buttonStyle, style, Change::Cells); }

void TExDBColumn::setBandIndex(int index) { storeIfNew(m_bandIndex, index, Change::Title); }

void TExDBColumn::setSortCaption(const QString &caption) { storeIfNew(m_sortCaption, caption, Change::Title); }

void TExDBColumn::setSortType(TExSortType type) { storeIfNew(m_sortType, type, Change::Sort); }

void TExDBColumn::setInplaceEditor(TExInplaceEditorType kind) { store(m_inplaceEditor, kind, Change::Cells); }

void TExDBColumn::setFooterValue(const QVariant &value) { store(m_footerValue, value, Change::Footer); }

void TExDBColumn::setFooterType(TExFooterType type) { store(m_footerType, type, Change::Footer); }

void TExDBColumn::setFooterText(const QString &text) { store(m_footerText, text, Change::Footer); }

void TExDBColumn::setTextEllipsis(TExTextEllipsis ellipsis) { store(m_textEllipsis, ellipsis, Change::Cells); }

void TExDBColumn::setFilterValue(const QString &value) { storeIfNew(m_filterValue, value, Change::Title); }

void TExDBColumn::setFilterList(const QStringList &list)
{
    if (!m_filterList)
        m_filterList = std::make_unique<QStringList>();
    *m_filterList = list;
}

void TExDBColumn::Assign(const TExDBColumn &other)
{
    // One change at the end: the grid lays out once.
    TExDBGrid *grid = m_grid;
    m_grid = nullptr;
    m_fieldName = other.m_fieldName;
    m_width = other.Width();
    m_readOnly = other.m_readOnly;
    m_titleCaption = other.m_titleCaption;
    m_titleFont = other.m_titleFont;
    m_titleColor = other.m_titleColor;
    m_titleAlignment = other.m_titleAlignment;
    m_font = other.m_font;
    m_color = other.m_color;
    m_alignment = other.m_alignment;
    m_pickList = other.m_pickList;
    m_buttonStyle = other.m_buttonStyle;
    m_sortCaption = other.m_sortCaption;
    m_sortType = other.m_sortType;
    m_inplaceEditor = other.m_inplaceEditor;
    m_tag = other.m_tag;
    m_bandIndex = other.m_bandIndex;
    m_textEllipsis = other.m_textEllipsis;
    m_filterValue = other.m_filterValue;
    if (other.m_filterList)
        setFilterList(*other.m_filterList);
    m_footerType = other.m_footerType;
    m_footerText = other.m_footerText;
    m_grid = grid;
    changed(Change::Structure);
}

void TExDBColumn::restoreDefaults()
{
    TExDBGrid *grid = m_grid;
    const QString field = m_fieldName;
    m_grid = nullptr;
    m_width = -1;
    m_readOnly = false;
    m_titleCaption.clear();
    m_titleFont = m_font = TExFont{};
    if (grid)
        m_titleFont.font = m_font.font = grid->font();
    m_titleColor = clBtnFace;
    m_titleAlignment = Qt::AlignLeft;
    m_color = clWindow;
    m_alignment.reset();
    m_pickList.clear();
    m_buttonStyle = cbsAuto;
    m_bandIndex = -1;
    m_sortCaption.clear();
    m_sortType = stNone;
    m_inplaceEditor = ieStandard;
    m_footerValue = QVariant();
    m_footerType = ftCustom;
    m_footerText.clear();
    m_tag = 0;
    m_textEllipsis = teNone;
    m_filterValue.clear();
    m_filterList.reset();
    m_fieldName = field;
    m_grid = grid;
    changed(Change::Structure);
}

bool TExDBColumn::drawCellValue(QPainter &, const QRect &, const QVariant &, const QString &, bool) { return false; }

// ---- TExDBCheckboxColumn ------------------------------------------------------------------------

TExDBCheckboxColumn::TExDBCheckboxColumn() { setInplaceEditor(ieCheckbox); }

void TExDBCheckboxColumn::setValueChecked(const QString &values)
{
    m_valueChecked = values;
    changed(Change::Cells);
}

void TExDBCheckboxColumn::setValueUnChecked(const QString &values)
{
    m_valueUnChecked = values;
    changed(Change::Cells);
}

void TExDBCheckboxColumn::Assign(const TExDBColumn &other)
{
    if (auto *box = dynamic_cast<const TExDBCheckboxColumn *>(&other)) {
        m_valueChecked = box->m_valueChecked;
        m_valueUnChecked = box->m_valueUnChecked;
    }
    TExDBColumn::Assign(other);
}

bool TExDBCheckboxColumn::drawCellValue(QPainter &p, const QRect &rect, const QVariant &value, const QString &text,
                                        bool)
{
    const CheckState state = checkboxColumnState(m_valueChecked, m_valueUnChecked, value, text);
    const TExDBGrid *g = grid();
    drawCheckBox(p, static_cast<const QWidget *>(g), rect.adjusted(2, 2, -2, -2), state, Qt::AlignHCenter,
                 g && g->Flat());
    return true;
}

// ---- the rules ------------------------------------------------------------------------------------

namespace {

bool inList(const QString &list, const QString &text)
{
    for (const QString &item : list.split(u';'))
        if (!item.isEmpty() && item.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

CheckState checkboxColumnState(const QString &valueChecked, const QString &valueUnChecked, const QVariant &value,
                               const QString &text)
{
    if (!value.isValid() || text.isEmpty())
        return CheckState::Grey;
    if (inList(valueChecked, text))
        return CheckState::Ticked;
    if (inList(valueUnChecked, text))
        return CheckState::Unticked;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? CheckState::Ticked : CheckState::Unticked;
    return CheckState::Grey;
}

QString checkboxColumnToggle(const QString &valueChecked, const QString &valueUnChecked, const QString &text)
{
    if (inList(valueChecked, text))
        return valueUnChecked.section(u';', 0, 0);
    return valueChecked.section(u';', 0, 0);
}

QString footerCellText(const QVariant &value, const QString &footerText)
{
    const QString valueText = value.isValid() && !value.isNull() ? value.toString() : QString();
    const qsizetype mark = footerText.indexOf(u'%');
    if (mark < 0)
        return valueText;
    QString text = footerText;
    text.replace(mark, 1, valueText);
    return text;
}

QString titleLines(const QString &caption)
{
    QString lines = caption;
    lines.replace(u'|', u'\n');
    return lines;
}

std::optional<int> titleRowHeight(const TitleHeightInput &in)
{
    int h = 0;
    switch (in.rule.kind) {
    case hkLineCount: h = in.letterHeight * in.rule.lineCount; break;
    case hkPixelCount: h = in.rule.pixelCount; break;
    case hkAuto: h = in.tallestCaption; break;
    }
    if (h == 0)
        return std::nullopt;
    h += in.rowLines ? 3 : 2;
    if (in.titleButtons)
        h += 2;
    if (in.bandRow)
        h += in.defaultRowHeight;
    if (in.filterBar)
        h += 19;
    return h + 2;
}

std::optional<std::pair<int, int>> bandSpan(const QVector<int> &bandIndexes, int bandCount, int column)
{
    if (column < 0 || column >= bandIndexes.size())
        return std::nullopt;
    const int band = bandIndexes[column];
    if (band < 0 || band >= bandCount)
        return std::nullopt;
    int first = column, last = column;
    while (first > 0 && bandIndexes[first - 1] == band)
        --first;
    // A run that reaches the last column ends there: the band still spans all of it.
    while (last + 1 < bandIndexes.size() && bandIndexes[last + 1] == band)
        ++last;
    return std::make_pair(first, last);
}

} // namespace tarix::grid
