#pragma once
// The employer's tax reports for the tax office: the yearly report (parts I and II, part
// III, their form-data files, the older forms) and the quarterly overviews of advances and
// the tax bonus, registered for the dispatcher under their class and routine names.
namespace tarix::reports {

void registerTaxReturns();

} // namespace tarix::reports
