#pragma once
// The state visios "I-State", "S-State" and "B-State": a field whose integer, text or
// logical values form a small closed set is shown as one of a list of states (a text, an
// image and a font per value), and activating the cell switches it to the next state.
#include "components/grid/plugin/custom_visio.h"

#include <QFont>
#include <QVariant>

#include <memory>
#include <vector>

namespace tarix::grid {

class TCustomStateVisio;
class TCustomStates;

// The edit parameters of a state visio: the space bar switches; DoubleClicks and
// SwitchClicks stand for the visio's double-click and switch-click activation flags.
class TXStateParams : public TEditParams {
public:
    explicit TXStateParams(TCustomVisio &visio) : TEditParams(visio, 32) {}
    bool NullSwitchable = false;
    bool DoubleClicks() const { return ownerVisio().activationFlags & afDoubleClick; }
    void setDoubleClicks(bool value) { setFlag(afDoubleClick, value); }
    bool SwitchClicks() const { return ownerVisio().activationFlags & afSwitchClicks; }
    void setSwitchClicks(bool value) { setFlag(afSwitchClicks, value); }

private:
    void setFlag(quint16 flag, bool value);
};

// One state: the field value it stands for (in the typed items), its text, image and font.
class TCustomStateItem {
public:
    explicit TCustomStateItem(TCustomStates &states);
    virtual ~TCustomStateItem() = default;

    int Index() const;
    QString DisplayText() const { return m_displayText; }
    void setDisplayText(const QString &text);
    int ImageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);
    const QFont &Font() const { return m_font; }
    // A font of the item's own: ParentFont goes off.
    void setFont(const QFont &font);
    bool ParentFont() const { return m_parentFont; }
    // Either way the item takes the visio's section font.
    void setParentFont(bool value);
    bool NullValue() const { return m_nullValue; }
    // True clears it on every other item: one item at most stands for a null field.
    void setNullValue(bool value);

    virtual QVariant fieldValue() const = 0;
    virtual void Assign(const TCustomStateItem &other);

protected:
    void changed();
    TCustomStates &m_states;

private:
    QString m_displayText;
    int m_imageIndex = -1;
    QFont m_font;
    bool m_parentFont = true;
    bool m_nullValue = false;
    bool m_updatingFont = false;
};

class TIState : public TCustomStateItem {
public:
    using TCustomStateItem::TCustomStateItem;
    int FieldValue() const { return m_value; }
    void setFieldValue(int value);
    QVariant fieldValue() const override { return m_value; }
    void Assign(const TCustomStateItem &other) override;

private:
    int m_value = 0;
};

class TSState : public TCustomStateItem {
public:
    using TCustomStateItem::TCustomStateItem;
    QString FieldValue() const { return m_value; }
    void setFieldValue(const QString &value);
    QVariant fieldValue() const override { return m_value; }
    void Assign(const TCustomStateItem &other) override;

private:
    QString m_value;
};

class TBState : public TCustomStateItem {
public:
    using TCustomStateItem::TCustomStateItem;
    bool FieldValue() const { return m_value; }
    void setFieldValue(bool value);
    QVariant fieldValue() const override { return m_value; }
    void Assign(const TCustomStateItem &other) override;

private:
    bool m_value = false;
};

// The states of one visio, in order. A change repaints the visio's column.
class TCustomStates {
public:
    explicit TCustomStates(TCustomStateVisio &visio) : m_visio(visio) {}
    virtual ~TCustomStates() = default;

    TCustomStateVisio &ownerVisio() const { return m_visio; }
    int Count() const { return int(m_items.size()); }
    TCustomStateItem &Item(int index) const { return *m_items.at(size_t(index)); }
    int indexOf(const TCustomStateItem *item) const;
    TCustomStateItem &addItem();
    void deleteItem(int index);
    void clearItems();
    // The last item whose NullValue is set; null when none.
    TCustomStateItem *nullItem() const;
    void changed();

protected:
    virtual std::unique_ptr<TCustomStateItem> createItem() = 0;

private:
    TCustomStateVisio &m_visio;
    std::vector<std::unique_ptr<TCustomStateItem>> m_items;
};

template <class ItemT>
class TStatesOf : public TCustomStates {
public:
    using TCustomStates::TCustomStates;
    ItemT &addState() { return static_cast<ItemT &>(addItem()); }
    ItemT &operator[](int index) const { return static_cast<ItemT &>(Item(index)); }

protected:
    std::unique_ptr<TCustomStateItem> createItem() override { return std::make_unique<ItemT>(*this); }
};

using TIStates = TStatesOf<TIState>;
using TSStates = TStatesOf<TSState>;
using TBStates = TStatesOf<TBState>;

enum class StateValueKind { Integer = 0, String = 1, Boolean = 2 };

// Older stored forms kept these switches in one set.
enum StateOption { soEditOnPopup = 1, soDrawImages = 2, soDrawText = 4, soNullSwitchable = 8 };

class TCustomStateVisio : public TFieldVisio {
public:
    StateValueKind valueKind() const { return m_kind; }
    TCustomStates &States() const { return *m_states; }
    TXStateParams &stateParams() const { return static_cast<TXStateParams &>(EditParams()); }
    // Sets DrawImages, DrawText and NullSwitchable from the matching members.
    void setOptions(int options);

    // The first item whose value equals `value`; null when none.
    virtual TCustomStateItem *FindState(const QVariant &value) const;
    // Writes item `index`'s value into the field.
    virtual void SetState(int index) = 0;

    // The inherited check and a field of the visio's kind.
    bool IsFieldValid() const override;
    // The state of the field's value; a value of no state "? <text>".
    void GetVisioData(int &imageIndex, QString &text, CellFont &font) override;
    // The index of the state activation switches to; -1: none.
    int nextStateIndex() const;

protected:
    TCustomStateVisio(GridSection &section, const GridPlugInClass &cls, StateValueKind kind);
    std::unique_ptr<TEditParams> CreateEditParams() override;
    bool DoActivate(int activationType, const QString &key) override;

private:
    StateValueKind m_kind;
    std::unique_ptr<TCustomStates> m_states;
};

class TIStateVisio : public TCustomStateVisio {
public:
    explicit TIStateVisio(GridSection &section);
    static const VisioClass &staticClass();
    TIStates &intStates() const { return static_cast<TIStates &>(States()); }
    void SetState(int index) override;
};

class TSStateVisio : public TCustomStateVisio {
public:
    explicit TSStateVisio(GridSection &section);
    static const VisioClass &staticClass();
    TSStates &SStates() const { return static_cast<TSStates &>(States()); }
    void SetState(int index) override;
};

class TBStateVisio : public TCustomStateVisio {
public:
    explicit TBStateVisio(GridSection &section);
    static const VisioClass &staticClass();
    TBStates &boolStates() const { return static_cast<TBStates &>(States()); }
    void SetState(int index) override;
};

} // namespace tarix::grid
