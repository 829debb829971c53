#include "components/grid/plugin/suite_state.h"

#include "platform/db/dataset.h"

namespace tarix::grid {

void TXStateParams::setFlag(quint16 flag, bool value)
{
    quint16 &flags = ownerVisio().activationFlags;
    if (bool(flags & flag) == value)
        return;
    flags = value ? quint16(flags | flag) : quint16(flags & ~flag);
}

// ---- items -----------------------------------------------------------------------------------

TCustomStateItem::TCustomStateItem(TCustomStates &states)
    : m_states(states), m_font(states.ownerVisio().SectionAttr().font())
{
}

int TCustomStateItem::Index() const
{
    return m_states.indexOf(this);
}

void TCustomStateItem::changed()
{
    m_states.changed();
}

void TCustomStateItem::setDisplayText(const QString &text)
{
    if (text == m_displayText)
        return;
    m_displayText = text;
    changed();
}

void TCustomStateItem::setImageIndex(int index)
{
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    changed();
}

void TCustomStateItem::setFont(const QFont &font)
{
    m_font = font;
    if (!m_updatingFont && m_parentFont) {
        m_parentFont = false;
        changed();
    } else if (!m_updatingFont) {
        changed();
    }
}

void TCustomStateItem::setParentFont(bool value)
{
    if (value == m_parentFont)
        return;
    m_parentFont = value;
    m_updatingFont = true;
    m_font = m_states.ownerVisio().SectionAttr().font();
    m_updatingFont = false;
    changed();
}

void TCustomStateItem::setNullValue(bool value)
{
    if (value == m_nullValue)
        return;
    m_nullValue = value;
    if (value)
        for (int i = 0; i < m_states.Count(); ++i)
            if (&m_states.Item(i) != this)
                m_states.Item(i).setNullValue(false);
    changed();
}

void TCustomStateItem::Assign(const TCustomStateItem &other)
{
    m_displayText = other.m_displayText;
    m_imageIndex = other.m_imageIndex;
    m_parentFont = other.m_parentFont;
    m_nullValue = other.m_nullValue;
    if (!m_parentFont)
        m_font = other.m_font;
    changed();
}

void TIState::setFieldValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    changed();
}

void TIState::Assign(const TCustomStateItem &other)
{
    TCustomStateItem::Assign(other);
    if (auto *same = dynamic_cast<const TIState *>(&other))
        setFieldValue(same->m_value);
}

void TSState::setFieldValue(const QString &value)
{
    if (value == m_value)
        return;
    m_value = value;
    changed();
}

void TSState::Assign(const TCustomStateItem &other)
{
    TCustomStateItem::Assign(other);
    if (auto *same = dynamic_cast<const TSState *>(&other))
        setFieldValue(same->m_value);
}

void TBState::setFieldValue(bool value)
{
    if (value == m_value)
        return;
    m_value = value;
    changed();
}

void TBState::Assign(const TCustomStateItem &other)
{
    TCustomStateItem::Assign(other);
    if (auto *same = dynamic_cast<const TBState *>(&other))
        setFieldValue(same->m_value);
}

// ---- collection ------------------------------------------------------------------------------

int TCustomStates::indexOf(const TCustomStateItem *item) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
}

TCustomStateItem &TCustomStates::addItem()
{
    m_items.push_back(createItem());
    changed();
    return *m_items.back();
}

void TCustomStates::deleteItem(int index)
{
    m_items.erase(m_items.begin() + index);
    changed();
}

void TCustomStates::clearItems()
{
    m_items.clear();
    changed();
}

TCustomStateItem *TCustomStates::nullItem() const
{
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if ((*it)->NullValue())
            return it->get();
    return nullptr;
}

void TCustomStates::changed()
{
    m_visio.Invalidate();
}

// ---- the state visio -------------------------------------------------------------------------

TCustomStateVisio::TCustomStateVisio(GridSection &section, const GridPlugInClass &cls, StateValueKind kind)
    : TFieldVisio(section, cls), m_kind(kind)
{
    // The cell switches in place: no edit form.
    m_flagEditForm = false;
    activationFlags = afDoubleClick | afPushRelease | afSwitchClicks;
    switch (kind) {
    case StateValueKind::Integer: m_states = std::make_unique<TIStates>(*this); break;
    case StateValueKind::String: m_states = std::make_unique<TSStates>(*this); break;
    case StateValueKind::Boolean: m_states = std::make_unique<TBStates>(*this); break;
    default: throw EMyError(QStringLiteral("CreateStates fail"));
    }
    initEditParams();
}

std::unique_ptr<TEditParams> TCustomStateVisio::CreateEditParams()
{
    return std::make_unique<TXStateParams>(*this);
}

void TCustomStateVisio::setOptions(int options)
{
    DrawImages = options & soDrawImages;
    DrawText = options & soDrawText;
    stateParams().NullSwitchable = options & soNullSwitchable;
    Invalidate();
}

TCustomStateItem *TCustomStateVisio::FindState(const QVariant &value) const
{
    for (int i = 0; i < m_states->Count(); ++i) {
        TCustomStateItem &item = m_states->Item(i);
        const QVariant own = item.fieldValue();
        bool equal = false;
        switch (m_kind) {
        case StateValueKind::Integer: equal = value.isValid() && db::variantToInteger(value) == own.toInt(); break;
        case StateValueKind::String: equal = value.isValid() && db::variantToString(value) == own.toString(); break;
        case StateValueKind::Boolean: equal = value.isValid() && db::variantToBool(value) == own.toBool(); break;
        }
        if (equal)
            return &item;
    }
    return nullptr;
}

bool TCustomStateVisio::IsFieldValid() const
{
    if (!TFieldVisio::IsFieldValid())
        return false;
    const db::FieldType type = visioField()->type();
    switch (m_kind) {
    case StateValueKind::Integer:
        return type == db::FieldType::Integer || type == db::FieldType::SmallInt
               || type == db::FieldType::AutoInc;
    case StateValueKind::String: return type == db::FieldType::String;
    case StateValueKind::Boolean: return type == db::FieldType::Boolean;
    }
    return false;
}

void TCustomStateVisio::GetVisioData(int &imageIndex, QString &text, CellFont &font)
{
    db::Field *field = visioField();
    TCustomStateItem *item = nullptr;
    if (field)
        item = field->isNull() ? m_states->nullItem() : FindState(field->value());
    if (!item) {
        imageIndex = -1;
        text = QStringLiteral("? <%1>").arg(field ? field->text() : QString());
        return;
    }
    imageIndex = item->ImageIndex();
    text = item->DisplayText();
    if (!item->ParentFont())
        font.font = item->Font();
}

int TCustomStateVisio::nextStateIndex() const
{
    const int count = m_states->Count();
    db::Field *field = visioField();
    TCustomStateItem *current = field && !field->isNull() ? FindState(field->value()) : nullptr;
    int next = -1;
    if (current)
        next = current->Index() + 1 < count ? current->Index() + 1 : 0;
    else if (TCustomStateItem *null = m_states->nullItem())
        next = null->Index() + 1 < count ? null->Index() + 1 : 0;
    else
        next = count > 0 ? 0 : -1;
    if (next >= 0 && m_states->Item(next).NullValue() && !stateParams().NullSwitchable) {
        next = next + 1;
        if (next >= count)
            next = count == 1 ? -1 : 0;
    }
    return next;
}

bool TCustomStateVisio::DoActivate(int, const QString &)
{
    const int next = nextStateIndex();
    if (next < 0 || !visioField())
        return false;
    db::DataSet &ds = visioField()->dataSet();
    if (!ds.isEditing())
        ds.edit();
    if (m_states->Item(next).NullValue())
        visioField()->clear();
    else
        SetState(next);
    Invalidate();
    return false;
}

TIStateVisio::TIStateVisio(GridSection &section)
    : TCustomStateVisio(section, staticClass(), StateValueKind::Integer)
{
}

void TIStateVisio::SetState(int index)
{
    visioField()->setAsInteger(intStates()[index].FieldValue());
}

TSStateVisio::TSStateVisio(GridSection &section)
    : TCustomStateVisio(section, staticClass(), StateValueKind::String)
{
}

void TSStateVisio::SetState(int index)
{
    visioField()->setAsString(SStates()[index].FieldValue());
}

TBStateVisio::TBStateVisio(GridSection &section)
    : TCustomStateVisio(section, staticClass(), StateValueKind::Boolean)
{
}

void TBStateVisio::SetState(int index)
{
    visioField()->setAsBoolean(boolStates()[index].FieldValue());
}

const VisioClass &TIStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TIStateVisio>(
        "TIStateVisio", "I-State", "State Visios", "The State visio based on integer data type.", "1.2");
    return cls;
}

const VisioClass &TSStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TSStateVisio>(
        "TSStateVisio", "S-State", "State Visios", "The State visio based on string data type.", "1.2");
    return cls;
}

const VisioClass &TBStateVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TBStateVisio>(
        "TBStateVisio", "B-State", "State Visios", "The State visio based on boolean data type.", "1.2");
    return cls;
}

} // namespace tarix::grid
