#pragma once
// The column layout of a grid kept in the user's registry (registry_ini.h), so that a
// clerk's arrangement survives between runs.
//
// One section holds "Count" and, per column numbered from 0 in display order:
//   "n"        field name, width, title caption, "R" when read-only
//   "n_Title"  the title's font record;  "n_Data" the cells' font record
//   "n_Sort"   SortType, SortCaption, BandIndex, InplaceEditor, FooterValue, FooterType, Tag
//   "n_Footer" FooterText (only when there is one)
// A font record is "name,charset,colour,size,style bits,background,alignment" with colours as
// signed numbers (desktop colours negative), style bits bold 1, italic 2, underline 4,
// strike-out 8, and alignment 0 left, 1 right, 2 centre.
//
// Any data grid of the program is stored so: a plain dbctrl::DBGrid has only its columns'
// main values (field, width, caption, read-only); the fonts, colours, alignments, sort,
// band, editor and footer values are a TExDBGrid's.
//
// A text field holding a comma or a double quote is written between double quotes with its
// quotes doubled; a line break is written as "|" (a caption's "|" is its line break), so a
// caption comes back whole whatever it holds.
#include "components/grid/ex_db_column.h"
#include "platform/dbctrl/db_grid.h"

#include <QString>
#include <QStringList>

namespace tarix::grid {

// ---- the codec ------------------------------------------------------------------------------------

// A text field as it is written into a comma list.
QString layoutField(const QString &text);
// Takes the first field off a comma list (quotes as layoutField writes them, and a quoted
// field of older layouts whose quotes are not doubled).
QString takeLayoutField(QString &rest);
// "name,charset,colour,size,style,background,alignment".
QString fontRecord(const TExFont &font, TColor background, Qt::Alignment alignment);
// Applies the fields of a record that are there: each of the first six only when a comma
// follows it; an empty name or a number that does not read keeps what was.
void applyFontRecord(const QString &record, TExFont &font, TColor &background, Qt::Alignment &alignment);

// ---- storing ------------------------------------------------------------------------------------

// Writes the grid's columns into the section of the key; throws when the file cannot be
// written (nothing was written then).
void SaveLayout(dbctrl::DBGrid &grid, const QString &key, const QString &section);
// Rebuilds the grid's columns from the section; "Count" 0 or no section leaves them.
void LoadLayout(dbctrl::DBGrid &grid, const QString &key, const QString &section);

} // namespace tarix::grid
