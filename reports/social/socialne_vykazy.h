#pragma once
// The social-insurance statements: SP2005VY (print and form-data file), SP1, SP, the
// annex SP1P and the contribution breakdown Odv, registered for the dispatcher under
// their class and routine names.
namespace tarix::reports {

void registerSocialStatements();

} // namespace tarix::reports
