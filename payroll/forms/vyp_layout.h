#pragma once
// What the payroll screen shows on its tabs: the fields of the payroll record with their
// captions, in the groups and tables they stand in, and which of them are only shown. The
// screen is built from these tables, and the lists of fields below are checked against the
// payroll table and the calculation.
#include "platform/dbctrl/screen_description.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tarix::payroll::MainVyp {

// Hints of the insurance participation fields, standing for messages 65144 and 65145.
inline const QString kHintPoistenie = QStringLiteral("%SMyAppHintPoistenie");
inline const QString kHintPoistenie2 = QStringLiteral("%SMyAppHintPoistenie2");

// The data source the tables name for fields of the firm header (the surcharge rates,
// only shown).
inline const QString kFirmHeaderSource = QStringLiteral("DS_INF");

// The payroll tabs that show fields of the record (on DS_VYPL, controls named "DB_" and the
// field), in screen order: PAGE_ZAKLAD, PAGE_POISTNE, PAGE_PRIPL, PAGE_USE, PAGE_ND. The
// piece-work, deductions and absence tabs have their own controls.
const QVector<dbctrl::ScreenPage> &payrollTabs();

// The deduction under the deductions grid (on DS_ZRV, controls named "DBZ_" and the field).
const dbctrl::ScreenGroup &deductionFields();

// Firm-header fields holding the names the firm gave the free surcharges; the caption of
// each surcharge's row is the label "Label_" + field.
const QStringList &surchargeLabels();
// The caption of free surcharge `number` (1 to 5) wherever it is shown: the name the firm
// gave it (its field of surchargeLabels()), or "Príplatok <number>" while it has none.
QString surchargeCaption(int number, const QString &firmName);

// Every field of the record that the screen offers for input (not marked as only shown),
// each once, in screen order.
QStringList inputFields();
// Every field of the record the screen shows, each once.
QStringList shownFields();

} // namespace tarix::payroll::MainVyp
