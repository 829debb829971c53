#pragma once
// Helpers shared by the files of the payroll data module.
#include "platform/db/session.h"

namespace tarix::payroll::detail {

// The open period yyyymm (the main data module's, or the private folder's row when that
// module is not created).
int Otvorene_obdobie(db::Session &s);

// While the user answers, the dataset's own transaction of a post or delete (begun just
// before the handler and still empty: nothing read or written in it yet) is closed, so
// that no lock is held; it is begun again when the scope ends. Inside an outer
// transaction there is nothing to close.
class BezTransakcie {
public:
    explicit BezTransakcie(db::Session &s) : m_session(s), m_closed(s.transactionDepth() == 1)
    {
        if (m_closed)
            m_session.commit();
    }
    ~BezTransakcie()
    {
        if (!m_closed)
            return;
        try {
            m_session.begin();
        } catch (...) {
            // The post then fails at its commit; nothing is written without a transaction.
        }
    }
    BezTransakcie(const BezTransakcie &) = delete;
    BezTransakcie &operator=(const BezTransakcie &) = delete;

private:
    db::Session &m_session;
    bool m_closed;
};

} // namespace tarix::payroll::detail
