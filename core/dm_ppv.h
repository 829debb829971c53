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

    // The card's sub-pages of a document, one for each kind and an empty one.
    static constexpr QLatin1String kPageContract{"PAGE_PPV_ZML"};
    static constexpr QLatin1String kPageWorkAgreement{"PAGE_PPV_DVP"};
    static constexpr QLatin1String kPageActivityAgreement{"PAGE_PPV_DPC"};
    static constexpr QLatin1String kPageStudentAgreement{"PAGE_PPV_DBPS"};
    static constexpr QLatin1String kPageContractAmendment{"PAGE_PPV_ZMLD"};
    static constexpr QLatin1String kPageNoDocument{"PAGE_PPV_EMPTY"};

    // Name of the card's sub-page for a document kind: 0/10 the contract, 1/11 the work
    // agreement, 2/12 the activity agreement, 3/13 the student agreement, 14 the amendment,
    // any other or an empty kind the empty page.
    static QString documentPage(const QVariant &kind);

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
