#pragma once
// The income and tax-advance certificates ("PZ", the edition of the period) and the
// request for the payment of the tax bonus ("BO"), registered with the dispatcher.
namespace tarix::reports {

void registerCertificates();

} // namespace tarix::reports
