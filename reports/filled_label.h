#pragma once
// The label a report's set-up fills with a value at run time. Its tag is 1, so that "data
// only" (labels with tag 0 disabled) keeps it: it prints data, not a caption of the form.
#include "platform/report/description.h"

namespace tarix::reports {

inline rpt::ControlDesc filledLabel(const QString &meno, rpt::Box box, const rpt::FontSpec &font,
                                       Qt::Alignment zarovnanie = Qt::AlignLeft)
{
    rpt::ControlDesc c = rpt::label(meno, box, {}, font, zarovnanie);
    c.tag = 1;
    return c;
}

} // namespace tarix::reports
