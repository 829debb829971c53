#pragma once
// Registers the employment documents, the income certificate PP, the RTF letters and the
// pension record sheet under the names the dispatcher runs.
namespace tarix::reports {

void registerWorkDocuments();

} // namespace tarix::reports
