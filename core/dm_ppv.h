#pragma once
// The data module TDMP: the employment documents of each employee (employment contract, its
// amendment and the three kinds of work agreements, each with up to twelve text lines).
#include "core/data_module.h"

#include <QString>
#include <functional>

namespace tarix::core {

class TDMP : public DataModule {
public:
    TDMP();
    ~TDMP() override;

    db::Table &TPPV_;          // Ppv.DB (TARIX_DATA), index CODE_EMP
    db::DataSource &DS_PPV;    // the document's detail controls (linked by the card)
    db::DataSource &DS_PGRID;  // the document list

    // Name of the card's sub-page for a document kind: 0/10 "PAGE_PPV_ZML", 1/11
    // "PAGE_PPV_DVP", 2/12 "PAGE_PPV_DPC", 3/13 "PAGE_PPV_DBPS", 14 "PAGE_PPV_ZMLD", any
    // other or an empty kind "PAGE_PPV_EMPTY".
    static QString Stranka_dokumentu(const QVariant &kind);

    // Set by the main window while its document page control exists: called with the
    // sub-page of the current document whenever the document list moves to another row.
    std::function<void(const QString &page)> Zobraz_stranku_dokumentu;
};

// The process-wide instance; throws when start-up has not created it.
TDMP &DMP();
bool hasDMP();
// Start-up's creator of the module (after TDMZ).
void createDMP();
void destroyDMP();

} // namespace tarix::core
