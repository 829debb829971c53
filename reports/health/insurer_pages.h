#pragma once
// The insurer's pages of a health statement's list: one page group per insurer (Q0_), the
// insurer's lines (Q1_) under it, the page header naming the insurer and the lines numbered
// from 1 on each insurer's pages.
#include "platform/db/query.h"
#include "platform/report/description.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports::health {

// Links q1 to its master q0 through their sources, builds `form` from `layout` with the
// social blocks, and hooks the bands: the page header's QRLabel_KZP shows q0's insurer, the
// sub-detail's QRL_PORADIE counts `poradie` up from 1 within each detail row.
void buildInsurerPages(TReport &form, db::Query &q0, DataSetSource &s0, db::Query &q1, DataSetSource &s1,
                             const rpt::LayoutDesc &layout, int &poradie);

} // namespace tarix::reports::health
