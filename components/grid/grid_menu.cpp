#include "components/grid/grid_menu.h"

#include "platform/db/field.h"

namespace tarix::grid {

QString popupCaption(PopupItem item)
{
    static const char *const captions[kPopupItemCount] = {
        "Add record",          "Insert record",      "Edit record",      "Delete record",
        "-",                   "Print ...",          "Export ...",       "Filter ...",
        "Search ...",          "-",                  "Save changes",     "Discard changes",
        "Refresh",             "-",                  "Select/Unselect records", "Select record",
        "Select All records",  "-",                  "UnSelect record",  "UnSelect All records",
        "-",                   "Save column layout", "Restore column layout", "-",
        "Setup...",
    };
    return QString::fromLatin1(captions[item]);
}

std::array<PopupItemState, kPopupItemCount> popupMenuState(const PopupMenuInput &in)
{
    std::array<PopupItemState, kPopupItemCount> s{};
    const bool ds = in.hasDataSet;
    const bool editing = ds && in.active && !in.browsing;
    const bool browse = ds && in.browsing;
    const bool modify = ds && !in.readOnly && in.canModify;

    s[piAdd].enabled = modify && browse && !in.exOptions.testFlag(eoDisableInsert);
    s[piInsert].enabled = s[piAdd].enabled;
    s[piEdit].enabled = modify && browse;
    s[piDelete].enabled = s[piEdit].enabled && !in.exOptions.testFlag(eoDisableDelete);

    const bool events[4] = {in.onPrint, in.onExport, in.onFilter, in.onSearch};
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        s[piPrint + i].visible = events[i];
        s[piPrint + i].enabled = events[i] && browse;
        any = any || events[i];
    }
    s[piSep2].visible = any;

    s[piPost].enabled = modify && editing;
    s[piCancel].enabled = ds && !in.readOnly && editing;
    s[piRefresh].enabled = browse;
    s[piSelection].enabled = ds && in.active && in.multiSelect;

    const bool layout = in.exOptions.testFlag(eoLayout);
    s[piSep5].visible = layout;
    s[piSaveLayout].visible = s[piSaveLayout].enabled = layout;
    s[piRestoreLayout].visible = s[piRestoreLayout].enabled = layout;

    s[piSep6].visible = in.onSetup;
    s[piSetup].visible = in.onSetup;
    s[piSetup].enabled = in.onSetup && ds;
    return s;
}

QString deleteQuestion(int selectedCount)
{
    return selectedCount < 2 ? QStringLiteral("Delete a record?")
                             : QStringLiteral("Do you really want to delete a selected records?");
}

QString foldForFilter(const QString &text)
{
    QString folded;
    folded.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case 0x00C1: case 0x00E1: folded += u'A'; break; // Á á
        case 0x00C9: case 0x00E9: folded += u'E'; break; // É é
        case 0x00CD: case 0x00ED: folded += u'I'; break; // Í í
        case 0x00D3: case 0x00F3: folded += u'O'; break; // Ó ó
        case 0x00DA: case 0x00FA: folded += u'U'; break; // Ú ú
        default: folded += ch.toUpper(); break;
        }
    }
    return folded;
}

bool filterAccepts(const QString &filterValue, const QString &fieldText, bool numericField)
{
    const bool pattern = filterValue.contains(u'*');
    QString value = filterValue;
    value.remove(u'*');
    if (!pattern && numericField)
        return fieldText == value;
    return foldForFilter(fieldText).contains(foldForFilter(value));
}

bool offersBlobEditor(const db::Field *field)
{
    if (!field)
        return false;
    return field->type() == db::FieldType::Blob || field->type() == db::FieldType::Memo || field->size() > 256;
}

} // namespace tarix::grid
