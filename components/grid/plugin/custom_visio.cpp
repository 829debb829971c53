#include "components/grid/plugin/custom_visio.h"

#include "platform/db/dataset.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

#include <algorithm>

namespace tarix::grid {

ShortCutKey shortCutKey(int shortCut)
{
    ShortCutKey k;
    const int vk = shortCut & 0xFF;
    // The virtual keys the visios use; letters and digits are their own codes.
    if (vk >= 0x70 && vk <= 0x87)
        k.key = Qt::Key_F1 + (vk - 0x70);
    else
        switch (vk) {
        case 0x20: k.key = Qt::Key_Space; break;
        case 0x0D: k.key = Qt::Key_Return; break;
        case 0x26: k.key = Qt::Key_Up; break;
        case 0x28: k.key = Qt::Key_Down; break;
        case 0x25: k.key = Qt::Key_Left; break;
        case 0x27: k.key = Qt::Key_Right; break;
        default: k.key = vk; break;
        }
    if (shortCut & 0x2000)
        k.modifiers |= Qt::ShiftModifier;
    if (shortCut & 0x4000)
        k.modifiers |= Qt::ControlModifier;
    if (shortCut & 0x8000)
        k.modifiers |= Qt::AltModifier;
    return k;
}

bool matchesShortCut(int shortCut, int key, Qt::KeyboardModifiers modifiers)
{
    if (shortCut == 0)
        return false;
    const ShortCutKey k = shortCutKey(shortCut);
    const Qt::KeyboardModifiers relevant = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return;
    return k.key == key && (modifiers & relevant) == k.modifiers;
}

TButtonParams::TButtonParams()
{
    // The drop-down arrow.
    QImage img(9, 5, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 5; ++y)
        for (int x = y; x < 9 - y; ++x)
            img.setPixel(x, y, qRgb(0, 0, 0));
    Glyph = QPixmap::fromImage(img);
}

void TStandardEditParams::setPeekValues(bool value)
{
    m_peekValues = value;
    if (value)
        EditMask.clear();
}

// ---- TCustomVisio ----------------------------------------------------------------------------

TCustomVisio::TCustomVisio(GridSection &section, const GridPlugInClass &cls)
    : TSectionVisio(section, cls),
      m_titleAttr([g = Grid()] { return g->titleFont(); }),
      m_sectionAttr([g = Grid()] { return g->font(); })
{
    m_titleAttr.onChanged = [this] { Invalidate(); };
    m_sectionAttr.onChanged = [this] { Invalidate(); };
    m_editParams = std::make_unique<TEditParams>(*this);
}

TCustomVisio::~TCustomVisio() = default;

std::unique_ptr<TEditParams> TCustomVisio::CreateEditParams()
{
    return std::make_unique<TEditParams>(*this);
}

void TCustomVisio::setEditFormParams(int)
{
    RaiseGridPlugInError(QStringLiteral("Backward compatibility: Dont use EditFormParams property!"),
                         designerClassName(), QStringLiteral("SetEditFormParams"));
}

void TCustomVisio::setDropDownListParams(int)
{
    RaiseGridPlugInError(QStringLiteral("Backward compatibility: Dont use DropDownListParams property!"),
                         designerClassName(), QStringLiteral("SetDropDownListParams"));
}

void TCustomVisio::setSBParams(int)
{
    RaiseGridPlugInError(QStringLiteral("Backward compatibility: Dont use SBParams property!"),
                         designerClassName(), QStringLiteral("SetSBParams"));
}

void TCustomVisio::GetVisioData(int &imageIndex, QString &text, CellFont &)
{
    imageIndex = -1;
    text = QStringLiteral("-");
}

void TCustomVisio::GetPushedVisioData(int &imageIndex, QString &text, CellFont &font)
{
    GetVisioData(imageIndex, text, font);
    font.color = QColor(0, 0, 0x80);
    font.font.setUnderline(true);
}

namespace {

Qt::Alignment alignmentOf(const TDrawAttr &attr)
{
    Qt::Alignment a;
    switch (attr.textAlignment()) {
    case TextAlignment::taLeftJustify: a = Qt::AlignLeft; break;
    case TextAlignment::taRightJustify: a = Qt::AlignRight; break;
    case TextAlignment::taCenter: a = Qt::AlignHCenter; break;
    }
    switch (attr.textLayout()) {
    case TextLayout::tlTop: a |= Qt::AlignTop; break;
    case TextLayout::tlCenter: a |= Qt::AlignVCenter; break;
    case TextLayout::tlBottom: a |= Qt::AlignBottom; break;
    }
    return a;
}

void addStyle(QFont &font, int style)
{
    if (style & fsBold)
        font.setBold(true);
    if (style & fsItalic)
        font.setItalic(true);
    if (style & fsUnderline)
        font.setUnderline(true);
    if (style & fsStrikeOut)
        font.setStrikeOut(true);
}

} // namespace

void TCustomVisio::PaintTitle(QPainter &canvas, const GridRect &rect)
{
    GridRect cell = rect;
    if (!CaptionBitmap.isNull()) {
        const GridRect at = placeImage(m_titleAttr.imageLayout(), cell, CaptionBitmap.size());
        canvas.drawPixmap(at.toQRect(), CaptionBitmap, QRect(QPoint(0, 0), at.toQRect().size()));
    }
    QFont font = m_titleAttr.font();
    QColor colour = canvas.pen().color();
    HostGrid &grid = *Grid();
    if (grid.designer() && grid.currentCol() == sectionAt().column().index() && grid.hasFocus()) {
        const TStateStyles &styles = grid.designer()->StateStyles();
        addStyle(font, styles.selectedTitleStyle());
        if (styles.SelectedTitleColor().isValid())
            colour = styles.SelectedTitleColor();
    }
    canvas.save();
    canvas.setFont(font);
    canvas.setPen(colour);
    canvas.drawText(cell.toQRect(), int(alignmentOf(m_titleAttr)) | Qt::TextWordWrap, Caption);
    canvas.restore();
}

void TCustomVisio::paintCell(QPainter &canvas, const GridRect &rect, bool pushed)
{
    HostGrid &grid = *Grid();
    int imageIndex = -1;
    QString text;
    CellFont font{m_sectionAttr.font(), canvas.pen().color()};
    if (!IsFieldValid()) {
        text = QStringLiteral("?");
        if (OnInvalidVisioData)
            OnInvalidVisioData(*this, text, font);
        canvas.save();
        canvas.setFont(font.font);
        canvas.setPen(font.color);
        canvas.drawText(rect.toQRect(), int(alignmentOf(m_sectionAttr)), text);
        canvas.restore();
        return;
    }
    if (pushed)
        GetPushedVisioData(imageIndex, text, font);
    else
        GetVisioData(imageIndex, text, font);
    if (DrawText && OnGetFont)
        OnGetFont(*this, font);
    if (m_currentCell && grid.designer()) {
        const TStateStyles &styles = grid.designer()->StateStyles();
        addStyle(font.font, styles.selectedSectStyle());
        if (styles.SelectedSectColor().isValid())
            font.color = styles.SelectedSectColor();
    }
    GridRect cell = rect;
    if (DrawImages && Images && imageIndex >= 0 && imageIndex < Images->size()) {
        const QPixmap &image = Images->at(imageIndex);
        const GridRect at = placeImage(m_sectionAttr.imageLayout(), cell, image.size());
        canvas.drawPixmap(at.toQRect(), image, QRect(QPoint(0, 0), at.toQRect().size()));
    }
    if (DrawText) {
        canvas.save();
        canvas.setFont(font.font);
        canvas.setPen(font.color);
        canvas.drawText(cell.toQRect(), int(alignmentOf(m_sectionAttr)) | Qt::TextWordWrap, text);
        canvas.restore();
    }
}

void TCustomVisio::PaintSection(QPainter &canvas, const GridRect &rect, int firstRow, int lastRow)
{
    HostGrid &grid = *Grid();
    const int height = rect.height();
    for (int row = firstRow; row <= lastRow; ++row) {
        const GridRect cell{rect.left, rect.top + (row - firstRow) * height, rect.right,
                            rect.bottom + (row - firstRow) * height};
        grid.withDataRow(row, [&] {
            const bool current = row == grid.currentRow()
                                 && grid.currentCol() == sectionAt().column().index()
                                 && grid.currentSection() == sectionAt().index();
            m_currentCell = current;
            paintCell(canvas, cell, row == m_pushedRow);
            m_currentCell = false;
        });
    }
}

int TCustomVisio::GetTitleHeight() const
{
    const int text = QFontMetrics(m_titleAttr.font()).height() + 2;
    return std::max(text, CaptionBitmap.isNull() ? 0 : CaptionBitmap.height());
}

int TCustomVisio::GetSectionHeight() const
{
    int h = QFontMetrics(m_sectionAttr.font()).height() + 2;
    if (DrawImages && Images && !Images->isEmpty())
        h = std::max(h, Images->first().height());
    return h;
}

bool TCustomVisio::isActive() const
{
    return IsFieldValid() && !m_editing;
}

bool TCustomVisio::canEdit()
{
    if (IsReadOnly())
        return false;
    bool doEdit = true;
    if (BeforeEdit)
        BeforeEdit(*this, doEdit);
    if (!doEdit)
        return false;
    if (m_flagAskGrid && !Grid()->canEdit())
        return false;
    return true;
}

void TCustomVisio::Activate(int activationType, const QString &key)
{
    m_editing = true;
    bool goesOn = false;
    try {
        goesOn = DoActivate(activationType, key);
    } catch (...) {
        m_editing = false;
        throw;
    }
    if (!goesOn)
        m_editing = false;
}

bool TCustomVisio::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (!isActive() || !matchesShortCut(m_editParams->ActivateKey, key, modifiers))
        return false;
    if (activationFlags & afPushRelease) {
        m_pushedRow = Grid()->currentRow();
        m_pushedKey = key;
        Invalidate();
        return true;
    }
    if ((activationFlags & afKey) && canEdit()) {
        Activate(atKey);
        return true;
    }
    return false;
}

bool TCustomVisio::keyUp(int key, Qt::KeyboardModifiers)
{
    if (m_pushedRow < 0 || m_pushedKey != key)
        return false;
    m_pushedRow = -1;
    m_pushedKey = 0;
    Invalidate();
    if (isActive() && canEdit())
        Activate(atKeyRelease);
    return true;
}

bool TCustomVisio::keyPress(const QString &text)
{
    if (!isActive() || !(activationFlags & afChar) || text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (!canEdit())
        return false;
    Activate(atChar, text);
    return true;
}

bool TCustomVisio::mouseDown(Qt::MouseButton button, bool doubleClick, bool onSelectedCell, int row)
{
    if (!isActive())
        return false;
    int type = -1;
    if (button == Qt::RightButton && (activationFlags & afRightClick))
        type = atRightClick;
    else if (button == Qt::LeftButton && doubleClick && (activationFlags & afDoubleClick))
        type = atDoubleClick;
    else if (button == Qt::LeftButton && !doubleClick && (activationFlags & afPushRelease)) {
        m_pushedRow = row;
        m_pushedKey = 0;
        Invalidate();
        return true;
    } else if (button == Qt::LeftButton && !doubleClick && onSelectedCell
               && (activationFlags & afClickSelected))
        type = atClickSelected;
    if (type < 0 || !canEdit())
        return false;
    Activate(type);
    return true;
}

bool TCustomVisio::mouseUp(bool insideCell)
{
    if (m_pushedRow < 0 || m_pushedKey != 0)
        return false;
    m_pushedRow = -1;
    Invalidate();
    if (insideCell && isActive() && canEdit())
        Activate(atMouseRelease);
    return true;
}

void TCustomVisio::FocusRequest(db::Field *&field)
{
    if (!field || field != boundField() || !(activationFlags & afFocusRequest) || !isActive())
        return;
    HostGrid &grid = *Grid();
    grid.selectColumn(sectionAt().column().index());
    if (grid.currentCol() == sectionAt().column().index() && grid.currentSection() == sectionAt().index()
        && canEdit()) {
        Activate(atFocusRequest);
        field = nullptr;
    }
}

// ---- TFieldVisio -----------------------------------------------------------------------------

void TFieldVisio::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    const QString old = m_fieldName;
    m_fieldName = name;
    FieldNameChanged(old);
}

void TFieldVisio::FieldNameChanged(const QString &oldName)
{
    bindField();
    if (m_field && oldName.isEmpty() && !Grid()->isLoading()) {
        Caption = m_field->label();
        if (isNumericType(m_field->type()))
            SectionAttr().setTextAlignment(TextAlignment::taRightJustify);
        else
            SectionAttr().setTextAlignment(TextAlignment::taLeftJustify);
    }
    Invalidate();
}

void TFieldVisio::bindField()
{
    db::DataSet *ds = Grid()->dataSet();
    m_field = ds && !m_fieldName.isEmpty() ? ds->findField(m_fieldName) : nullptr;
}

bool TFieldVisio::IsReadOnly() const
{
    if (TCustomVisio::IsReadOnly())
        return true;
    return !m_field || m_field->isReadOnly() || m_field->isCalculated() || m_field->isLookup()
           || !m_field->dataSet().canModify();
}

void TFieldVisio::TakeOverFrom(TGridPlugIn &oldPlugIn)
{
    if (auto *other = dynamic_cast<TFieldVisio *>(&oldPlugIn))
        setFieldName(other->FieldName());
}

// ---- TEditFormVisio --------------------------------------------------------------------------

// The edit form of a visio: its editor's keys reach the visio before the form's own handling.
template <class Form>
class RoutedForm : public Form {
public:
    RoutedForm(QWidget *owner, TEditFormVisio &visio) : Form(owner, visio), m_owner(visio) {}

protected:
    bool formKeyDown(QKeyEvent &event) override;

private:
    TEditFormVisio &m_owner;
};

class VisioEditForm {
public:
    static bool keyDown(TEditFormVisio &visio, QKeyEvent &event) { return visio.editorKeyDown(event); }
};

template <class Form>
bool RoutedForm<Form>::formKeyDown(QKeyEvent &event)
{
    if (VisioEditForm::keyDown(m_owner, event))
        return true;
    return Form::formKeyDown(event);
}

TEditFormVisio::~TEditFormVisio()
{
    delete m_form.data();
}

void TEditFormVisio::BeforeReplace()
{
    delete m_form.data();
}

TVFStandard *TEditFormVisio::createForm(QWidget *owner)
{
    return new RoutedForm<TVFStandard>(owner, *this);
}

QString TEditFormVisio::startText() const
{
    return visioField() ? visioField()->text() : QString();
}

void TEditFormVisio::prepareForm()
{
    TMaskEditPlus &edit = m_form->maskEdit();
    edit.setFont(SectionAttr().font());
    const auto *sb = dynamic_cast<const TEditFormSBParams *>(&EditParams());
    if (const auto *std = dynamic_cast<const TStandardEditParams *>(&EditParams())) {
        edit.setEditMask(std->EditMask);
        edit.setCharCaseEx(std->CharCaseEx);
    }
    if (sb) {
        edit.setWordWrap(sb->WordWrap);
        edit.setMultiLine(sb->WordWrap);
    } else {
        edit.setMultiLine(false);
    }
}

bool TEditFormVisio::DoActivate(int activationType, const QString &key)
{
    if (!m_form)
        m_form = createForm(Grid()->widget());
    prepareForm();
    m_initialText = startText();
    m_form->maskEdit().setText(m_initialText);
    m_form->maskEdit().setSelection(0, m_initialText.size());
    m_form->placeOverCell();
    m_form->show();
    m_form->maskEdit().setFocus();
    if (activationType == atChar && !key.isEmpty()) {
        // The typed character starts the text.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QCoreApplication::sendEvent(m_form->maskEdit().editor(), &press);
    }
    return true;
}

QString TEditFormVisio::EditText() const
{
    // Outside editing there is no editor text.
    if (!isEditing() || !m_form)
        return {};
    return m_form->maskEdit().Text();
}

void TEditFormVisio::setEditText(const QString &text)
{
    if (!isEditing() || !m_form)
        RaiseGridPlugInError(QStringLiteral("Unable to set \"EditText\" value. Visio not in edit mode"),
                             designerClassName(), QStringLiteral("SetEditText"));
    m_form->maskEdit().setText(text);
}

bool TEditFormVisio::writeFieldText(const QString &text)
{
    db::Field *field = visioField();
    if (!field)
        return false;
    db::DataSet &ds = field->dataSet();
    if (!ds.isEditing())
        ds.edit();
    field->setText(text);
    return true;
}

bool TEditFormVisio::postValue(bool canIgnore)
{
    const QString text = m_form->maskEdit().Text();
    if (text == m_initialText)
        return true;
    return writeFieldText(text);
}

void TEditFormVisio::endEdit(bool post)
{
    if (!isEditing())
        return;
    if (post) {
        bool ok = false;
        try {
            ok = postValue(false);
        } catch (...) {
            // A value the field refuses: the editing ends as a cancel, the error goes on.
            formClosing();
            if (m_form)
                m_form->hide();
            setEditing(false);
            if (AfterCancel)
                AfterCancel(*this);
            throw;
        }
        if (!ok)
            post = false;
    }
    formClosing();
    if (m_form)
        m_form->hide();
    setEditing(false);
    Invalidate();
    if (post && AfterPost)
        AfterPost(*this);
    if (!post && AfterCancel)
        AfterCancel(*this);
}

bool TEditFormVisio::editorKeyDown(QKeyEvent &event)
{
    // A multi-line editor keeps Up and Down inside its text but on its first and last line,
    // and Enter without Shift; the single-line editor's keys are the form's.
    TMaskEditPlus &edit = m_form->maskEdit();
    if (!edit.multiLine() || (event.modifiers() & (Qt::AltModifier | Qt::ControlModifier)))
        return false;
    HostGrid &grid = *Grid();
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event.modifiers() & Qt::ShiftModifier)
            return false;
        grid.post(*this);
        return true;
    case Qt::Key_Up:
        if (edit.caretLine() > 0)
            return false;
        grid.moveRow(-1);
        return true;
    case Qt::Key_Down:
        if (edit.caretLine() < edit.lineCount() - 1)
            return false;
        grid.moveRow(1);
        return true;
    default: return false;
    }
}

// ---- TEditFormSBVisio ------------------------------------------------------------------------

TVFStandard *TEditFormSBVisio::createForm(QWidget *owner)
{
    auto *form = new RoutedForm<TVFStandardSB>(owner, *this);
    QObject::connect(&form->speedButton(), &QToolButton::clicked, form, [this] { pressButton(); });
    return form;
}

void TEditFormSBVisio::prepareForm()
{
    TEditFormVisio::prepareForm();
    auto *form = static_cast<TVFStandardSB *>(editForm());
    const auto &params = static_cast<const TEditFormSBParams &>(EditParams());
    const TButtonParams &b = params.ButtonParams;
    QToolButton &sb = form->speedButton();
    if (!params.EnableButton || !b.Visible) {
        sb.hide();
        return;
    }
    sb.setIcon(QIcon(b.Glyph));
    sb.setAutoRaise(b.Flat);
    const int w = b.Width > 0 ? b.Width : b.Glyph.width() + 6;
    const int h = b.Height > 0 ? b.Height : b.Glyph.height() + 6;
    sb.setFixedWidth(w);
    if (b.Align == ButtonAlign::sbaClient)
        sb.setMaximumHeight(QWIDGETSIZE_MAX);
    else
        sb.setFixedHeight(h);
    Qt::Alignment a = Qt::AlignVCenter;
    if (b.Align == ButtonAlign::sbaTop)
        a = Qt::AlignTop;
    else if (b.Align == ButtonAlign::sbaBottom)
        a = Qt::AlignBottom;
    form->layout()->setAlignment(&sb, a);
    sb.show();
}

void TEditFormSBVisio::pressButton()
{
    if (OnSpeedButtonClick)
        OnSpeedButtonClick(*this);
    else if (OnButtonClick)
        OnButtonClick(*this);
    else
        buttonAction();
}

bool TEditFormSBVisio::editorKeyDown(QKeyEvent &event)
{
    const auto &params = static_cast<const TEditFormSBParams &>(EditParams());
    if (params.EnableButton && params.ButtonParams.Visible
        && matchesShortCut(params.ButtonParams.ShortCut, event.key(), event.modifiers())) {
        pressButton();
        return true;
    }
    return TEditFormVisio::editorKeyDown(event);
}

// ---- TDropDownVisio --------------------------------------------------------------------------

TDropDownVisio::~TDropDownVisio()
{
    delete m_list.data();
}

int TDropDownVisio::SelectedItem() const
{
    if (!isEditing())
        RaiseGridPlugInError(QStringLiteral("Unable to read \"SelectedItem\" value. Visio not in edit mode"),
                             designerClassName(), QStringLiteral("GetSelectedItem"));
    return m_selectedItem;
}

void TDropDownVisio::setSelectedItem(int index)
{
    if (!isEditing())
        RaiseGridPlugInError(QStringLiteral("Unable to set \"SelectedItem\" value. Visio not in edit mode"),
                             designerClassName(), QStringLiteral("SetSelectedItem"));
    m_selectedItem = index;
    if (m_list && index >= 0 && index < m_list->listBox().RowCount())
        m_list->listBox().selectRow(index);
}

bool TDropDownVisio::listShown() const
{
    return m_list && m_list->isVisible();
}

void TDropDownVisio::prepareForm()
{
    TEditFormSBVisio::prepareForm();
    m_selectedItem = -1;
    m_filterText.clear();
    prepareList();
    editForm()->maskEdit().OnAcceptValue = [this](TMaskEditPlus &, QString &text, const QString &prev,
                                                  int &selStart, int &selEnd, bool &accept) {
        acceptValue(text, prev, selStart, selEnd, accept);
    };
}

void TDropDownVisio::prepareList()
{
    if (!m_list)
        m_list = new TVTFDropDown(Grid()->widget(), *this);
    if (pickListValuesOnly())
        editForm()->maskEdit().setReadOnly(false);
    TListBoxPlus &list = m_list->listBox();
    list.setFont(SectionAttr().font());
    ListInfo info;
    GetListInfo(info);
    const bool images = info.images && Images;
    list.setImages(images ? *Images : QList<QPixmap>());
    const QFontMetrics fm(SectionAttr().font());
    int width = 0;
    if (images) {
        list.setColCount(2);
        const int iw = Images->isEmpty() ? 16 : Images->first().width() + 4;
        list.setColWidth(0, iw);
        list.setColWidth(1, fm.averageCharWidth() * info.widthChars + 4);
        width = iw + list.colWidth(1);
    } else {
        list.setColCount(1);
        list.setColWidth(0, fm.averageCharWidth() * info.widthChars + 4);
        width = list.colWidth(0);
    }
    m_lastAsked = -1;
    list.OnGetColumnType = [images](TListBoxPlus &, int col, ColumnType &type) {
        type = images && col == 0 ? ColumnType::ctImage : ColumnType::ctText;
    };
    auto ask = [this](int row) {
        if (row != m_lastAsked) {
            m_lastAsked = row;
            GetItem(row, m_lastImage, m_lastText);
        }
    };
    list.OnGetImageIndex = [ask, this](TListBoxPlus &, int, int row, int &imageIndex) {
        ask(row);
        imageIndex = m_lastImage;
    };
    list.OnGetText = [ask, this](TListBoxPlus &, int, int row, QString &text, QFont &, Qt::Alignment &) {
        ask(row);
        text = m_lastText;
    };
    list.OnSelectRow = [this](TListBoxPlus &, int row) { m_selectedItem = row; };
    list.OnFilterRow = [ask, this](TListBoxPlus &, int row, bool &inList) {
        if (!dropDownParams().DropDownList.Filter || m_filterText.isEmpty())
            return;
        ask(row);
        inList = m_lastText.toUpper().startsWith(m_filterText.toUpper());
    };
    list.setRowCount(GetItemCount());
    const int rows = dropDownParams().DropDownList.VisibleRows;
    m_list->resize(width + 20, list.rowHeight() * rows + 4);
}

void TDropDownVisio::showList(bool show)
{
    if (!m_list)
        return;
    if (show) {
        m_list->placeUnderCell(dropDownParams().DropDownList.Placement);
        m_list->show();
    } else {
        m_list->hide();
    }
}

void TDropDownVisio::buttonAction()
{
    if (!isEditing() || !dropDownParams().EnableDropDown || !dropDownParams().DropDownList.Visible)
        return;
    showList(!listShown());
}

bool TDropDownVisio::editorKeyDown(QKeyEvent &event)
{
    if (listShown() && (event.modifiers() & Qt::ControlModifier)
        && (event.key() == Qt::Key_Home || event.key() == Qt::Key_End)) {
        TListBoxPlus &list = m_list->listBox();
        if (list.visibleRowCount() > 0)
            list.selectRow(list.listRow(event.key() == Qt::Key_Home ? 0 : list.visibleRowCount() - 1));
        return true;
    }
    if (TEditFormSBVisio::editorKeyDown(event))
        return true;
    m_keyInput = true;
    m_typed = event.key() != Qt::Key_Backspace && event.key() != Qt::Key_Delete;
    return false;
}

void TDropDownVisio::formClosing()
{
    showList(false);
}

void TDropDownVisio::acceptValue(QString &text, const QString &prev, int &selStart, int &selEnd,
                                 bool &accept)
{
    // Only the clerk's keys narrow the list; a deletion does not look into it.
    const bool keyInput = m_keyInput;
    const bool typed = m_typed;
    m_keyInput = m_typed = false;
    if (!peekValues() || !keyInput)
        return;
    int found = -1;
    if (typed) {
        found = FindItem(text.left(selStart), false);
        if (found >= 0) {
            int image = -1;
            QString itemText;
            GetItem(found, image, itemText);
            const int typed = selStart;
            text = itemText;
            selStart = typed;
            selEnd = itemText.size();
        } else if (pickListValuesOnly()) {
            accept = false;
            return;
        }
    }
    if (dropDownParams().EnableDropDown && dropDownParams().DropDownList.Filter && m_list) {
        const QString filter = selStart < selEnd ? text.left(selStart) : text;
        if (filter != m_filterText) {
            m_filterText = filter;
            m_list->listBox().refilter();
        }
        if (found >= 0) {
            m_selectedItem = found;
            m_list->listBox().selectRow(found);
        }
    }
}

} // namespace tarix::grid
