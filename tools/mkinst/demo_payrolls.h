#pragma once
// The demo firm's first months: the payrolls of January to March 2007 of its employees,
// made by the payroll module as a clerk makes a month (a new payroll per employee with the
// card's defaults, the month's attendance entered, computed and stored; one transaction a
// month), so that the demo's payslips, lists, statements and payment orders have content.
#include <QString>

namespace tarix::installation {

// Makes the demo firm's payrolls in the installation of the program folder (DATA01 with the
// year 2007; `conninfo` names its database server, empty for folders). The firm's open
// period stays as it was. Refuses (std::runtime_error) when the firm already has payrolls
// of those months or a data module exists in this process; any failure of a month leaves
// that month without payrolls and is raised.
void createDemoPayrolls(const QString &programFolder, const QString &conninfo = {});

} // namespace tarix::installation
