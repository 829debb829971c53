#pragma once
// The ids (object names) of the main window's pages: the notebook's own pages and the
// employee card's tabs. Pages are made, shown and compared through these names only, so
// that a page cannot be asked for under a name nothing makes.
#include <QLatin1String>

namespace tarix::core {

// ---- the notebook N ---------------------------------------------------------------------------
inline constexpr QLatin1String kPageStart{"EMPTY"};
inline constexpr QLatin1String kPageEmployeeCard{"ZAM1"};
inline constexpr QLatin1String kPageEmployeeChoice{"ZAMF"};
inline constexpr QLatin1String kPageTaxBands{"DZP"};

// ---- the employee card's tabs (NX_ZAM) --------------------------------------------------------
inline constexpr QLatin1String kTabEmployee{"PAGE_UDAJE"};
inline constexpr QLatin1String kTabDeductions{"PAGE_ZRAZKY"};
inline constexpr QLatin1String kTabChildren{"PAGE_DETI"};
inline constexpr QLatin1String kTabPieceWork{"PAGE_VYKONY"};
inline constexpr QLatin1String kTabAbsences{"PAGE_NEP"};
inline constexpr QLatin1String kTabPensions{"PAGE_DOCH"};
inline constexpr QLatin1String kTabContracts{"PAGE_PPV"};
inline constexpr QLatin1String kTabPensionRecord{"PAGE_ELDP"};
inline constexpr QLatin1String kTabHealth{"PAGE_ZP"};
inline constexpr QLatin1String kTabBatch601{"PAGE_DAVKA601"};

// The employee tab's own tabs (NY_ZAM) and the health tab's (NX_ZDR).
inline constexpr QLatin1String kTabPersonal{"PAGE_OSOBNE"};
inline constexpr QLatin1String kTabContacts{"PAGE_KONTAKTY"};
inline constexpr QLatin1String kTabWork{"PAGE_PRACOVNE"};
inline constexpr QLatin1String kTabHealthEmployee{"PAGE_ZP_ZAMNEC"};
inline constexpr QLatin1String kTabHealthDocument{"PAGE_ZP_DOKLAD"};

// The contracts tab's sub-pages, one for each document kind, are declared with the kinds
// that choose them (TDMP, core/dm_ppv.h).

} // namespace tarix::core
