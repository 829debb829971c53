#pragma once
// The visio chain under the registered visios: TCustomVisio paints a caption and cells of
// image and text and turns the host grid's mouse and key events into activations;
// TFieldVisio binds a field of the grid's dataset; TEditFormVisio edits it in a form over
// the cell, TEditFormSBVisio adds a speed button to that form and TDropDownVisio a list of
// choices under it. Their edit parameters live here as well.
#include "components/grid/plugin/dbgpaint.h"
#include "components/grid/plugin/vis_controls.h"

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QVariant>

#include <memory>

namespace tarix::db {
class Field;
}

namespace tarix::grid {

class TCustomVisio;

// The activation flags of a visio, by bit.
enum ActivationFlag : quint16 {
    afKey = 1u << 0,           // ActivateKey
    afChar = 1u << 1,          // typing a character starts editing with it
    afClickSelected = 1u << 2, // a click on the selected cell
    afRightClick = 1u << 3,
    afDoubleClick = 1u << 4,
    afFocusRequest = 1u << 5,
    afPushRelease = 1u << 7, // a press marks the cell pushed, the release activates
    afSwitchClicks = 1u << 8,
};

// What started an activation (the bit of the flag that allowed it; 7 and 8 the release of a
// pushed cell by key and by mouse).
enum ActivationType {
    atKey = 0, atChar = 1, atClickSelected = 2, atRightClick = 3, atDoubleClick = 4,
    atFocusRequest = 5, atKeyRelease = 7, atMouseRelease = 8
};

// Alt+Down and F2 as the short-cut values the visios keep.
inline constexpr int kShortCutAltDown = 32808;
inline constexpr int kShortCutF2 = 113;
// The key and modifiers of a short-cut value (low byte a virtual key, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt).
struct ShortCutKey {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
};
ShortCutKey shortCutKey(int shortCut);
bool matchesShortCut(int shortCut, int key, Qt::KeyboardModifiers modifiers);

// A cell's font with its colour (invalid: the canvas's pen).
struct CellFont {
    QFont font;
    QColor color;
};

// ---- edit parameters -------------------------------------------------------------------------

class TEditParams {
public:
    explicit TEditParams(TCustomVisio &visio, int activateKey = kShortCutF2)
        : m_visio(visio), ActivateKey(activateKey) {}
    virtual ~TEditParams() = default;
    TCustomVisio &ownerVisio() const { return m_visio; }

private:
    TCustomVisio &m_visio;

public:
    int ActivateKey;
};

enum class ButtonAlign { sbaTop, sbaCenter, sbaBottom, sbaClient };

class TButtonParams {
public:
    ButtonAlign Align = ButtonAlign::sbaClient;
    int Width = 0;
    int Height = 0;
    QPixmap Glyph; // the drop-down arrow at creation
    bool Flat = false;
    int ShortCut = kShortCutAltDown;
    bool Visible = true;
    TButtonParams();
};

class TDropDownListParams {
public:
    DropDownPlacement Placement = DropDownPlacement::dlpCenter;
    int VisibleRows = 7;
    bool Visible = true;
    bool Filter = true;
};

class TEditFormSBParams : public TEditParams {
public:
    using TEditParams::TEditParams;
    TButtonParams ButtonParams;
    bool EnableButton = true;
    bool WordWrap = false;
};

class TDropDownParams : public TEditFormSBParams {
public:
    using TEditFormSBParams::TEditFormSBParams;
    TDropDownListParams DropDownList;
    bool EnableDropDown = true;
};

class TStandardEditParams : public TDropDownParams {
public:
    using TDropDownParams::TDropDownParams;
    QString EditMask;
    grid::CharCaseEx CharCaseEx = grid::CharCaseEx::cxNormal;
    bool PeekValues() const { return m_peekValues; }
    // Peeking at the list's values and a mask do not go together: True clears EditMask.
    void setPeekValues(bool value);
    bool PickListValuesOnly = false;
    void setFilterPickList(bool) {} // kept for older stored forms; ignored

private:
    bool m_peekValues = true;
};

class TVLookupEditParams : public TDropDownParams {
public:
    using TDropDownParams::TDropDownParams;
};

// ---- the visio chain -------------------------------------------------------------------------

class TCustomVisio : public TSectionVisio {
public:
    ~TCustomVisio() override;

    QString Caption;
    QPixmap CaptionBitmap;
    TDrawAttr &TitleAttr() { return m_titleAttr; }
    TDrawAttr &SectionAttr() { return m_sectionAttr; }
    const TDrawAttr &SectionAttr() const { return m_sectionAttr; }
    // Not owned.
    const QList<QPixmap> *Images = nullptr;
    bool DrawText = true;
    bool DrawImages = true;
    quint16 activationFlags = 0;
    TEditParams &EditParams() const { return *m_editParams; }

    std::function<void(TCustomVisio &, bool &doEdit)> BeforeEdit;
    std::function<void(TCustomVisio &, CellFont &font)> OnGetFont;
    std::function<void(TCustomVisio &, QString &text, CellFont &font)> OnInvalidVisioData;
    std::function<void(TCustomVisio &)> AfterPost;
    std::function<void(TCustomVisio &)> AfterCancel;
    std::function<void(TCustomVisio &)> OnButtonClick;

    // The values of older stored forms: refused from code.
    void setEditFormParams(int);
    void setDropDownListParams(int);
    void setSBParams(int);

    // Cell content of the dataset's current record: base -1 and "-".
    virtual void GetVisioData(int &imageIndex, QString &text, CellFont &font);
    // The same for a pushed cell: navy and underlined.
    virtual void GetPushedVisioData(int &imageIndex, QString &text, CellFont &font);

    void PaintTitle(QPainter &canvas, const GridRect &rect) override;
    void PaintSection(QPainter &canvas, const GridRect &rect, int firstRow, int lastRow) override;
    int GetTitleHeight() const override;
    int GetSectionHeight() const override;

    virtual bool IsReadOnly() const { return sectionAt().readOnly; }
    virtual bool IsFieldValid() const { return true; }
    bool isEditing() const { return m_editing; }
    // The data row whose cell is pushed; -1 none.
    int pushedRow() const { return m_pushedRow; }

    // The host grid's events, each answering whether the visio took it. `onSelectedCell`:
    // the click hit the grid's current cell; `row` the data row of the cell.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);
    bool keyUp(int key, Qt::KeyboardModifiers modifiers);
    bool keyPress(const QString &text);
    bool mouseDown(Qt::MouseButton button, bool doubleClick, bool onSelectedCell, int row);
    bool mouseUp(bool insideCell);
    // A request to focus `field`; cleared when this visio took it.
    void FocusRequest(db::Field *&field);

    // Editing allowed: not read-only, BeforeEdit and (second flag) the grid agree.
    bool canEdit();
    // Sets the editing state and runs the class's activation.
    void Activate(int activationType, const QString &key = {});

protected:
    TCustomVisio(GridSection &section, const GridPlugInClass &cls);
    // Called by the most derived constructor (the parameters are of its class).
    void initEditParams() { m_editParams = CreateEditParams(); }
    virtual std::unique_ptr<TEditParams> CreateEditParams();
    // The class's activation; `key` the typed character (atChar). Returns whether editing
    // goes on after it (a state switch ends at once).
    virtual bool DoActivate(int activationType, const QString &key) { return false; }
    virtual db::Field *boundField() const { return nullptr; }
    void setEditing(bool on) { m_editing = on; }
    // One cell of the dataset's current record ("?" when the field check fails).
    void paintCell(QPainter &canvas, const GridRect &cell, bool pushed);

private:
    bool m_currentCell = false;
    bool isActive() const;
    TDrawAttr m_titleAttr;
    TDrawAttr m_sectionAttr;
    std::unique_ptr<TEditParams> m_editParams;
    bool m_editing = false;
    int m_pushedRow = -1;
    int m_pushedKey = 0;
};

class TFieldVisio : public TCustomVisio {
public:
    QString FieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    db::Field *visioField() const { return m_field; }

    bool IsReadOnly() const override;
    // A field is bound.
    bool IsFieldValid() const override { return m_field != nullptr; }

    void linkActiveChanged() override { bindField(); }
    void dataSetChanged() override { bindField(); }
    void layoutChanged() override { bindField(); }
    void loaded() override { bindField(); }
    void TakeOverFrom(TGridPlugIn &oldPlugIn) override;

protected:
    TFieldVisio(GridSection &section, const GridPlugInClass &cls) : TCustomVisio(section, cls) {}
    db::Field *boundField() const override { return m_field; }
    virtual void FieldNameChanged(const QString &oldName);
    void bindField();

private:
    QString m_fieldName;
    db::Field *m_field = nullptr;
};

class TEditFormVisio : public TFieldVisio {
public:
    ~TEditFormVisio() override;

    // Empty outside editing; setting it then raises EGridPlugIn.
    QString EditText() const;
    void setEditText(const QString &text);
    // The form while it exists (for the host and tests).
    TVFStandard *editForm() const { return m_form.data(); }

    void endEdit(bool post) override;
    void BeforeReplace() override;

protected:
    TEditFormVisio(GridSection &section, const GridPlugInClass &cls) : TFieldVisio(section, cls) {}
    bool DoActivate(int activationType, const QString &key) override;
    virtual TVFStandard *createForm(QWidget *owner);
    // Lays out the form before it is shown.
    virtual void prepareForm();
    // The editor's text at the start.
    virtual QString startText() const;
    // Writes the edited value; false when it did not succeed. canIgnore: a failure may leave
    // the editor open.
    virtual bool postValue(bool canIgnore);
    // A key of the editor before the form's own handling; true when taken.
    virtual bool editorKeyDown(QKeyEvent &event);
    virtual void formClosing() {}
    TMaskEditPlus &editor() const { return m_form->maskEdit(); }
    QString initialText() const { return m_initialText; }
    // Writes `text` into the field, the dataset put in edit first.
    bool writeFieldText(const QString &text);
    friend class VisioEditForm;

private:
    // The grid's window may take its children down first: the form is watched.
    QPointer<TVFStandard> m_form;
    QString m_initialText;
};

class TEditFormSBVisio : public TEditFormVisio {
public:
    std::function<void(TCustomVisio &)> OnSpeedButtonClick;

protected:
    TEditFormSBVisio(GridSection &section, const GridPlugInClass &cls) : TEditFormVisio(section, cls) {}
    TVFStandard *createForm(QWidget *owner) override;
    void prepareForm() override;
    bool editorKeyDown(QKeyEvent &event) override;
    // The speed button pressed: the event, or the visio's own action.
    void pressButton();
    virtual void buttonAction() {}
};

struct ListInfo {
    bool images = false;
    bool flag = false;
    int widthChars = 10;
    int reserved = 0;
};

class TDropDownVisio : public TEditFormSBVisio {
public:
    ~TDropDownVisio() override;

    virtual void GetListInfo(ListInfo &info) = 0;
    virtual int GetItemCount() = 0;
    virtual void GetItem(int index, int &imageIndex, QString &text) = 0;
    virtual int FindItem(const QString &text, bool exact) = 0;

    // Only while editing; otherwise EGridPlugIn.
    int SelectedItem() const;
    void setSelectedItem(int index);
    TVTFDropDown *listForm() const { return m_list.data(); }
    bool listShown() const;
    QString filterText() const { return m_filterText; }

protected:
    TDropDownVisio(GridSection &section, const GridPlugInClass &cls) : TEditFormSBVisio(section, cls) {}
    TDropDownParams &dropDownParams() const { return static_cast<TDropDownParams &>(EditParams()); }
    void prepareForm() override;
    void formClosing() override;
    void buttonAction() override;
    bool editorKeyDown(QKeyEvent &event) override;
    // The typed text with PeekValues: completed from the list, or refused.
    virtual bool peekValues() const { return false; }
    virtual bool pickListValuesOnly() const { return false; }
    void prepareList();
    void showList(bool show);
    int m_selectedItem = -1;

private:
    void acceptValue(QString &text, const QString &prev, int &selStart, int &selEnd, bool &accept);
    QPointer<TVTFDropDown> m_list;
    QString m_filterText;
    bool m_keyInput = false; // the change came from a key
    bool m_typed = false;    // ... other than Backspace and deleteItem
    int m_lastAsked = -1;
    int m_lastImage = -1;
    QString m_lastText;
};

} // namespace tarix::grid
