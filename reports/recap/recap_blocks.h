#pragma once
// The small layout pieces the fund, liability and cost-recapitulation forms share: a
// caption with the box its value is filled into, and the firm-header query every form
// reads its texts from.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/filled_label.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports::recap {

using social::kArial7;
using social::kArial8;
using social::kArial8b;
using social::kArial9;
using social::kArial9b;
using social::kArial12b;
using social::kSirka;

// A caption on the left of a framed row and its value box on the right (`meno`).
void Riadok(std::vector<rpt::LayoutItem> &items, const QString &meno, double y, const QString &popis,
            const QString &jednotka = {}, bool tucne = false);
// A row of single-character boxes `predpona`1 .. `predpona`n from x, each `w` wide.
void boxFields(std::vector<rpt::LayoutItem> &items, const QString &predpona, int n, double x, double y, double w);

// Sets the caption of a label of the form, if it has one of that name.
void setRecapBox(rpt::ReportForm &form, const QString &meno, const QString &text);
// Fills boxes `predpona`1 .. n with the characters of `text`, the rest empty.
void fillBoxes(rpt::ReportForm &form, const QString &predpona, int n, const QString &text);

// "select * from inf" on the firm's folder.
void prepareInformation(db::Query &q);

} // namespace tarix::reports::recap
