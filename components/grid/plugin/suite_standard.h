#pragma once
// The standard suite: the designer "Standard" (TStandardDesigner) and the visios
// "Standard", "V-Lookup" and "Indicator".
#include "components/grid/plugin/custom_visio.h"
#include "components/grid/plugin/dbgprtm.h"
#include "components/grid/plugin/dsgn_classes.h"

#include <QStringList>

#include <QFlags>

namespace tarix::grid {

enum TDesignerOption : quint32 {
    dgTitleSeparator = 1u << 0,
    dg3DTitle = 1u << 1,
    dgSimpleTitle = 1u << 2,
    dgCellSeparator = 1u << 3,
    dgMarginLines = 1u << 4,
    dgBoundLines = 1u << 5,
    dgVertLines = 1u << 6,
    dgHorizLines = 1u << 7,
    dgHorizBackground = 1u << 8,
    dgDoubleHorizLines = 1u << 9,
    dgSelectedFrame = 1u << 10,
    dgRowSelect = 1u << 11,
    dgRowBackground = 1u << 12,
    dgFloodSelectedFrame = 1u << 13,
    dgColourSections = 1u << 14,
};
Q_DECLARE_FLAGS(TDesignerOptions, TDesignerOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDesignerOptions)

// The designer of common grids: a 3-D title row, cell lines and margins, the selected
// cell framed. Its footer colours are kept and nothing paints with them.
class TStandardDesigner : public TOSDesigner {
public:
    explicit TStandardDesigner(HostGrid *grid);
    static const DesignerClass &staticClass();

    Margins GetTitleMargins() const override;
    Margins GetSectionMargins() const override;

    // title group: the whole grid is invalidated
    QColor TitleColor() const { return m_titleColor; }
    QColor TitleLines() const { return m_titleLines; }
    QColor TitleSeparator() const { return m_titleSeparator; }
    void setTitleColor(const QColor &c) { setTitleOrFooter(m_titleColor, c); }
    void setTitleLines(const QColor &c) { setTitleOrFooter(m_titleLines, c); }
    void setTitleSeparator(const QColor &c) { setTitleOrFooter(m_titleSeparator, c); }
    void setTitleSeparatorColor(const QColor &c) { setTitleSeparator(c); }
    // section group: the scroll mode is recomputed
    QColor FixedColor() const { return m_fixedColor; }
    QColor SelectedFrame() const { return m_selectedFrame; }
    QColor SelectedRow() const { return m_selectedRow; }
    QColor VertLines() const { return m_vertLines; }
    QColor HorizLines() const { return m_horizLines; }
    QColor MarginLines() const { return m_marginLines; }
    QColor CellSeparator() const { return m_cellSeparator; }
    QColor BoundLines() const { return m_boundLines; }
    void setFixedColor(const QColor &c) { setSection(m_fixedColor, c); }
    void setSelectedFrame(const QColor &c) { setSection(m_selectedFrame, c); }
    void setSelectedRow(const QColor &c) { setSection(m_selectedRow, c); }
    void setVertLines(const QColor &c) { setSection(m_vertLines, c); }
    void setHorizLines(const QColor &c) { setSection(m_horizLines, c); }
    void setMarginLines(const QColor &c) { setSection(m_marginLines, c); }
    void setCellSeparator(const QColor &c) { setSection(m_cellSeparator, c); }
    void setBoundLines(const QColor &c) { setSection(m_boundLines, c); }
    // footer group
    QColor FooterColor() const { return m_footerColor; }
    QColor FooterLines() const { return m_footerLines; }
    QColor FooterSeparator() const { return m_footerSeparator; }
    void setFooterColor(const QColor &c) { setTitleOrFooter(m_footerColor, c); }
    void setFooterLines(const QColor &c) { setTitleOrFooter(m_footerLines, c); }
    void setFooterSeparator(const QColor &c) { setTitleOrFooter(m_footerSeparator, c); }

    TDesignerOptions Options() const { return m_options; }
    // dgSimpleTitle is dropped; without dgHorizLines dgHorizBackground is added. A change of
    // the horizontal lines recomputes the row heights.
    void setOptions(TDesignerOptions options);
    int ColumnsMargin() const { return m_columnsMargin; }
    // 0 to 3; another value raises EMyError (65009) and keeps the margin.
    void setColumnsMargin(int margin);
    QString AStyle() const { return QStringLiteral("..."); }
    void setAStyle(const QString &) {}

    void Assign(const TStandardDesigner &other);

protected:
    void PaintCellBackground(int dataColumn, int row, QPoint origin) override;
    void PaintBackgrounds() override;
    void PaintSections() override;
    void PaintTitles() override;

private:
    void setTitleOrFooter(QColor &slot, const QColor &value);
    void setSection(QColor &slot, const QColor &value);
    void updateScrollMode();
    void separateSections(const GridColumn &column, const GridRect &rect, const QColor &colour);
    int requestWidth() const;

    QColor m_titleColor;
    QColor m_titleLines{Qt::black};
    QColor m_titleSeparator{Qt::black};
    QColor m_fixedColor;
    QColor m_selectedFrame{0, 0, 0xFF};
    QColor m_selectedRow{0, 0, 0x80};
    QColor m_vertLines{Qt::black};
    QColor m_horizLines{Qt::black};
    QColor m_marginLines{0xC0, 0xC0, 0xC0};
    QColor m_cellSeparator{Qt::black};
    QColor m_boundLines{Qt::black};
    QColor m_footerColor{0xC0, 0xC0, 0xC0};
    QColor m_footerLines{0x80, 0x80, 0x80};
    QColor m_footerSeparator{0x80, 0x80, 0x80};
    TDesignerOptions m_options = dgTitleSeparator | dg3DTitle | dgCellSeparator | dgMarginLines
                                 | dgBoundLines | dgVertLines | dgHorizLines | dgHorizBackground
                                 | dgDoubleHorizLines | dgSelectedFrame | dgColourSections;
    int m_columnsMargin = 2;
};

// "Standard": edits the field's text, with a pick list under the editor.
class TStandardVisio : public TDropDownVisio {
public:
    explicit TStandardVisio(GridSection &section);
    static const VisioClass &staticClass();

    QStringList PickList;
    // Value: the text to post; canIgnore: a refusal may leave the editor open; doPost False
    // writes nothing.
    std::function<void(TCustomVisio &, QVariant &value, bool canIgnore, bool &doPost)> BeforePost;
    TStandardEditParams &standardEditParams() const { return static_cast<TStandardEditParams &>(EditParams()); }

    void GetVisioData(int &imageIndex, QString &text, CellFont &font) override;
    void GetListInfo(ListInfo &info) override;
    int GetItemCount() override { return int(PickList.size()); }
    void GetItem(int index, int &imageIndex, QString &text) override;
    // Exact: the first item equal to text without regard to case; otherwise the first item
    // containing it without regard to case; -1 when none.
    int FindItem(const QString &text, bool exact) override;

protected:
    std::unique_ptr<TEditParams> CreateEditParams() override;
    bool postValue(bool canIgnore) override;
    bool peekValues() const override { return standardEditParams().PeekValues(); }
    bool pickListValuesOnly() const override { return standardEditParams().PickListValuesOnly; }
};

// Where a "V-Lookup" visio looks its values up.
class TVLookupParams {
public:
    explicit TVLookupParams(class TVLookupVisio &visio) : m_visio(visio) {}
    QString KeyField() const { return m_keyField; }
    QString LookupField() const { return m_lookupField; }
    QString ImageField() const { return m_imageField; }
    void setKeyField(const QString &name);
    void setLookupField(const QString &name);
    void setImageField(const QString &name);
    db::DataSource *DataSource() const { return m_link.dataSource(); }
    void setDataSource(db::DataSource *source) { m_link.setDataSource(source); }

private:
    friend class TVLookupVisio;
    TVLookupVisio &m_visio;
    QString m_keyField;
    QString m_lookupField;
    QString m_imageField;
    TGPDataLink m_link;
};

// "V-Lookup": shows the text another dataset keeps for the field's value and offers that
// dataset's records to choose from.
class TVLookupVisio : public TDropDownVisio {
public:
    explicit TVLookupVisio(GridSection &section);
    ~TVLookupVisio() override;
    static const VisioClass &staticClass();

    TVLookupParams &LookupParams() { return m_lookupParams; }

    // The lookup data source is active, KeyField and LookupField exist there and the key
    // field is of the field's type.
    bool IsFieldValid() const override;
    // ImageField names a numeric field of the lookup dataset, DrawImages is set and Images
    // assigned.
    bool usesImages() const { return m_imageFieldNumeric && DrawImages && Images; }

    void GetVisioData(int &imageIndex, QString &text, CellFont &font) override;
    void GetListInfo(ListInfo &info) override;
    int GetItemCount() override;
    void GetItem(int index, int &imageIndex, QString &text) override;
    int FindItem(const QString &text, bool exact) override;

protected:
    std::unique_ptr<TEditParams> CreateEditParams() override;
    QString startText() const override;
    bool DoActivate(int activationType, const QString &key) override;
    bool postValue(bool canIgnore) override;

private:
    friend class TVLookupParams;
    db::DataSet *lookupDataSet() const;
    void testImageField();
    void lookupChanged();
    TVLookupParams m_lookupParams;
    bool m_imageFieldNumeric = false;
};

// "Indicator": marks the grid's current row by the state of its dataset.
class TIndicatorVisio : public TSectionVisio {
public:
    explicit TIndicatorVisio(GridSection &section);
    static const VisioClass &staticClass();

    QPixmap BrowseBitmap;
    QPixmap EditBitmap;
    QPixmap InsertBitmap;
    bool Flat = true;

    void PaintSection(QPainter &canvas, const GridRect &rect, int firstRow, int lastRow) override;
    // The bitmap of the dataset's state.
    const QPixmap &stateBitmap() const;
    void Assign(const TIndicatorVisio &other);
};

} // namespace tarix::grid
