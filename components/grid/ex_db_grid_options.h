#pragma once
// The option sets of TExDBGrid: the base grid's options and the extended options, each
// option its own bit in declaration order (the order of the stored set).
#include <QFlags>

namespace tarix::grid {

// The base grid's options (the class library's data-grid option set).
enum TGridOption {
    dgEditing = 1 << 0,
    dgAlwaysShowEditor = 1 << 1,
    dgTitles = 1 << 2,
    dgIndicator = 1 << 3,
    dgColumnResize = 1 << 4,
    dgColLines = 1 << 5,
    dgRowLines = 1 << 6,
    dgTabs = 1 << 7,
    dgRowSelect = 1 << 8,
    dgAlwaysShowSelection = 1 << 9,
    dgConfirmDelete = 1 << 10,
    dgCancelOnExit = 1 << 11,
    dgMultiSelect = 1 << 12,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// The extended options; the bit of each is its place in the stored set.
enum TExOption {
    eoAutoWidth = 1 << 0,
    eoBooleanAsCheckBox = 1 << 1,
    eoCheckBoxSelect = 1 << 2,
    eoCellHint = 1 << 3,
    eoDisableDelete = 1 << 4,
    eoDisableInsert = 1 << 5,
    eoDrawGraphicField = 1 << 6,
    eoENTERlikeTAB = 1 << 7,
    eoFixedLikeColumn = 1 << 8,
    eoKeepSelection = 1 << 9,
    eoLayout = 1 << 10,
    eoRowNumber = 1 << 11,
    eoRowSizing = 1 << 12,
    eoSelectedTitle = 1 << 13,
    eoShowFooter = 1 << 14,
    eoShowGlyphs = 1 << 15,
    eoShowLookup = 1 << 16,
    eoShowRecNo = 1 << 17,
    eoStandardPopup = 1 << 18,
    eoTitleButtons = 1 << 19,
    eoAutoSave = 1 << 20,
    eoAutoLoad = 1 << 21,
    eoDrawBands = 1 << 22,
    eoHotTrack = 1 << 23,
    eoBLOBEditor = 1 << 24,
    eoBandsOverTitles = 1 << 25,
    eoRowHeightAutofit = 1 << 26,
    eoTitleWordWrap = 1 << 27,
    eoShowFilterBar = 1 << 28,
    eoAnyKeyFilter = 1 << 29,
    eoFilterAutoApply = 1 << 30,
};
Q_DECLARE_FLAGS(TExOptions, TExOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TExOptions)

inline constexpr TGridOptions kDefaultOptions = TGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize
                                                             | dgColLines | dgRowLines | dgTabs | dgConfirmDelete
                                                             | dgCancelOnExit);
inline constexpr TExOptions kDefaultExOptions = TExOptions(eoENTERlikeTAB | eoKeepSelection | eoStandardPopup
                                                           | eoBLOBEditor | eoTitleWordWrap | eoFilterAutoApply);

} // namespace tarix::grid
