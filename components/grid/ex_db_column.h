#pragma once
// The columns of TExDBGrid and the rows drawn around the data: the column with its title,
// fonts and colours, its band, sort arrow, editor kind, footer value and text, ellipsis and
// filter; the check-box column with its own values for the two states; the groupings; the
// title-height rule; and the footer text.
//
// A column belongs to at most one grid (given when it is added); every setter tells the grid
// what changed, so that it lays out, repaints its titles, its footer or its cells.
#include "components/grid/grid_draw.h"

#include <QFont>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>
#include <optional>
#include <vector>

namespace tarix::db {
class Field;
}

namespace tarix::grid {

class TExDBGrid;

enum TExSortType { stNone, stAscending, stDescending };
enum TExInplaceEditorType { ieStandard, ieImageList, ieProgressbar, iePassword, ieHyperlink, ieButton, ieCheckbox };
enum TExFooterType { ftCustom, ftSum, ftCount, ftAverage, ftMin, ftMax };
enum TColumnButtonStyle { cbsAuto, cbsEllipsis, cbsNone };

// A font as the layouts keep it: the Qt font, the character set it was stored with and its
// colour (a TColor, so that a desktop colour stays one).
struct TExFont {
    QFont font;
    int charset = 1;
    TColor color = clWindowText;
};

class TExDBColumn {
public:
    enum class Change { Structure, Title, Sort, Footer, Cells };

    TExDBColumn();
    virtual ~TExDBColumn();
    TExDBColumn(const TExDBColumn &) = delete;
    TExDBColumn &operator=(const TExDBColumn &) = delete;

    // ---- the column --------------------------------------------------------------------------
    QString FieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    // The width in pixels, as shown (the grid keeps it when the user resizes the column);
    // -1 until set: the grid's default.
    int Width() const;
    void setWidth(int width);
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    // The caption as set; empty: the field's label.
    QString titleCaption() const { return m_titleCaption; }
    void setTitleCaption(const QString &caption);
    const TExFont &titleFont() const { return m_titleFont; }
    void setTitleFont(const TExFont &font);
    TColor TitleColor() const { return m_titleColor; }
    void setTitleColor(TColor color);
    Qt::Alignment titleAlignment() const { return m_titleAlignment; }
    void setTitleAlignment(Qt::Alignment alignment);
    const TExFont &Font() const { return m_font; }
    void setFont(const TExFont &font);
    TColor Color() const { return m_color; }
    void setColor(TColor color);
    // The data cells' alignment; unset: numbers right, other text left.
    std::optional<Qt::Alignment> Alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    QStringList PickList() const { return m_pickList; }
    void setPickList(const QStringList &list);
    TColumnButtonStyle buttonStyle() const { return m_buttonStyle; }
    void setButtonStyle(TColumnButtonStyle style);

    // ---- what the grid adds --------------------------------------------------------------------
    int BandIndex() const { return m_bandIndex; }
    void setBandIndex(int index);
    QString SortCaption() const { return m_sortCaption; }
    void setSortCaption(const QString &caption);
    TExSortType SortType() const { return m_sortType; }
    void setSortType(TExSortType type);
    TExInplaceEditorType InplaceEditor() const { return m_inplaceEditor; }
    void setInplaceEditor(TExInplaceEditorType kind);
    QVariant FooterValue() const { return m_footerValue; }
    void setFooterValue(const QVariant &value);
    TExFooterType FooterType() const { return m_footerType; }
    void setFooterType(TExFooterType type);
    QString FooterText() const { return m_footerText; }
    void setFooterText(const QString &text);
    int Tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    TExTextEllipsis TextEllipsis() const { return m_textEllipsis; }
    void setTextEllipsis(TExTextEllipsis ellipsis);
    QString FilterValue() const { return m_filterValue; }
    void setFilterValue(const QString &value);
    QStringList FilterList() const { return m_filterList ? *m_filterList : QStringList(); }
    void setFilterList(const QStringList &list);

    // Takes over every property of another column (the base column's first).
    virtual void Assign(const TExDBColumn &other);
    // Back to the defaults (the filter list goes too).
    virtual void restoreDefaults();

    // Draws the cell value itself; true when it did. The plain column draws nothing.
    virtual bool drawCellValue(QPainter &p, const QRect &rect, const QVariant &value, const QString &text,
                               bool highlighted);

    TExDBGrid *grid() const { return m_grid; }
    void attach(TExDBGrid *grid) { m_grid = grid; }
    // Used by the grid when the user resized the column (no change to report back).
    void storeWidth(int width) { m_width = width; }

protected:
    void changed(Change change);

private:
    // A property stored and the grid told what it changes (storeIfNew: only when it differs).
    template <class T, class V>
    void store(T &field, const V &value, Change change)
    {
        field = value;
        changed(change);
    }
    template <class T, class V>
    void storeIfNew(T &field, const V &value, Change change)
    {
        if (field == value)
            return;
        field = value;
        changed(change);
    }

private:
    TExDBGrid *m_grid = nullptr;
    QString m_fieldName;
    int m_width = -1;
    bool m_readOnly = false;
    QString m_titleCaption;
    TExFont m_titleFont;
    TColor m_titleColor = clBtnFace;
    Qt::Alignment m_titleAlignment = Qt::AlignLeft;
    TExFont m_font;
    TColor m_color = clWindow;
    std::optional<Qt::Alignment> m_alignment;
    QStringList m_pickList;
    TColumnButtonStyle m_buttonStyle = cbsAuto;
    int m_bandIndex = -1;
    QString m_sortCaption;
    TExSortType m_sortType = stNone;
    TExInplaceEditorType m_inplaceEditor = ieStandard;
    QVariant m_footerValue;
    TExFooterType m_footerType = ftCustom;
    QString m_footerText;
    int m_tag = 0;
    TExTextEllipsis m_textEllipsis = teNone;
    QString m_filterValue;
    std::unique_ptr<QStringList> m_filterList; // made on first use
};

// A column shown as a check box. ValueChecked and ValueUnChecked are ";"-separated lists; the
// first item of each is what a tick or an untick writes.
class TExDBCheckboxColumn : public TExDBColumn {
public:
    TExDBCheckboxColumn();

    QString ValueChecked() const { return m_valueChecked; }
    void setValueChecked(const QString &values);
    QString ValueUnChecked() const { return m_valueUnChecked; }
    void setValueUnChecked(const QString &values);

    void Assign(const TExDBColumn &other) override;
    bool drawCellValue(QPainter &p, const QRect &rect, const QVariant &value, const QString &text,
                       bool highlighted) override;

private:
    QString m_valueChecked = QStringLiteral("True");
    QString m_valueUnChecked = QStringLiteral("False");
};

// ---- the rules ------------------------------------------------------------------------------------

// The state a check-box column shows for a field's text (null: an empty text): ticked for any
// ValueChecked item, unticked for any ValueUnChecked item (both without regard to case),
// otherwise the value itself when it is a logical one, else grey.
CheckState checkboxColumnState(const QString &valueChecked, const QString &valueUnChecked, const QVariant &value,
                               const QString &text);
// What a click writes into a check-box column's field: the first ValueUnChecked item when the
// text is one of ValueChecked, else the first ValueChecked item.
QString checkboxColumnToggle(const QString &valueChecked, const QString &valueUnChecked, const QString &text);

// The footer cell's text: the value as text, put in place of the first "%" of the footer
// text when it has one.
QString footerCellText(const QVariant &value, const QString &footerText);

// The title caption as shown: every "|" a line break.
QString titleLines(const QString &caption);

enum TTitleHeightKind { hkAuto, hkLineCount, hkPixelCount };
struct TExDBGTitleHeight {
    TTitleHeightKind kind = hkAuto;
    int lineCount = 1;
    int pixelCount = 0;
};

// What the title row's height depends on.
struct TitleHeightInput {
    TExDBGTitleHeight rule;
    int letterHeight = 0;   // the height of "W" in the title font (hkLineCount)
    int tallestCaption = 0; // the tallest caption as measured (hkAuto)
    bool rowLines = false;
    bool titleButtons = false;
    bool bandRow = false; // bands drawn, some band captions, not over the titles
    int defaultRowHeight = 0;
    bool filterBar = false;
};
// The height of the title row; none when the rule gives 0 (the row keeps its height).
std::optional<int> titleRowHeight(const TitleHeightInput &in);

// The run of neighbouring columns one band cell covers, first and last; none when the column
// has no band. `bandIndexes` holds each column's BandIndex (-1: none or not a TExDBColumn).
std::optional<std::pair<int, int>> bandSpan(const QVector<int> &bandIndexes, int bandCount, int column);

// A grouping row: its expression is offered to the grid's OnExpression.
struct TExGrouping {
    QString expression;
    QFont font;        // the grid's font, bold
    TColor fontColor = clBtnText;
    TColor color = clBtnFace;
};

} // namespace tarix::grid
