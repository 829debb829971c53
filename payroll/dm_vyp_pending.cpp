// A new payroll copies the employee's standing deductions and piece-work items before the
// payroll itself is stored. If the program ends in between (killed, crashed), those rows
// would stay behind without a payroll, and a payment order would pay them. So while a new
// payroll is open outside any larger transaction, the workstation keeps a note of it in its
// private folder; the note goes when the payroll is stored or cancelled, and a note found
// later clears the rows it names, unless their payroll was stored after all.
//
// The copies replace whatever rows of that payroll no stored payroll owns, so two programs
// making one employee's payroll of one month would each replace (and, cancelling, delete)
// the other's. While a new payroll is open the program therefore holds a claim on it
// (Session::tryClaim on the firm's folder): a second program is refused before it copies
// anything, and a note of this workstation is cleared only under the claim of its payroll,
// so a payroll another program is making is never touched.
#include "payroll/dm_v.h"

#include "core/helpers/myconsts.h"
#include "core/session.h"
#include "platform/db/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <utility>

namespace tarix::payroll {

namespace {

// In the workstation's private folder, as the session knows it; none without one.
QString notePath(db::Session &s)
{
    const QString folder = s.aliasFolder(QString::fromLatin1(core::kAliasPriv));
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("NOVA_VYPLATA.TXT"));
}

struct Note {
    QString firmFolder;
    int codeEmp = 0;
    int period = 0;
};

// Three lines: the firm's data folder, the employee's code, the period.
std::optional<Note> readNote(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (lines.size() < 3)
        return Note{}; // unreadable: cleared without touching any row
    bool okEmp = false;
    bool okPeriod = false;
    Note n{lines[0], lines[1].toInt(&okEmp), lines[2].toInt(&okPeriod)};
    if (!okEmp || !okPeriod)
        return Note{};
    return n;
}

QString claimKey(int codeEmp, int period)
{
    return QStringLiteral("vyp %1 %2").arg(codeEmp).arg(period);
}

} // namespace

void TDMV::claimNewPayroll(int codeEmp, int period)
{
    db::Session &s = TVYP_.session();
    m_claim.reset(); // a claim left by an insert that never began is this record's no more
    // Inside a larger transaction the copies go or stay with it, and so does the claim:
    // a run that makes payrolls keeps other programs from beginning them until it commits.
    if (s.transactionDepth() > 0) {
        s.holdClaimInTransaction(QString::fromLatin1(core::kAliasData), claimKey(codeEmp, period));
        return;
    }
    m_claim = s.tryClaim(QString::fromLatin1(core::kAliasData), claimKey(codeEmp, period));
    if (!m_claim) {
        const QString name = employeeFullName(codeEmp);
        rejectPayroll(QStringLiteral("Výplatu zamestnanca %1 za %2 práve zakladá iný program. Založiť ju možno, "
                                "až keď ju ten program uloží alebo zruší.")
                     .arg(name.isEmpty() ? QString::number(codeEmp) : name,
                          MyConsts::Nazov_mesiaca(period % 100, false) + u' ' + QString::number(period / 100)));
    }
}

void TDMV::finishNewPayroll()
{
    dropNewPayrollMark();
    m_claim.reset();
}

void TDMV::markNewPayroll(int codeEmp, int period)
{
    db::Session &s = TVYP_.session();
    // Inside a larger transaction the copies go or stay with it.
    if (s.transactionDepth() > 0)
        return;
    const QString path = notePath(s);
    if (path.isEmpty())
        return;
    // On a database server the private folder's tables live on the server, and the folder
    // itself may not be made yet: without it the note would silently not be kept.
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    // Not synced to disk: the note is for a program that ends, and costs next to nothing.
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        f.write((s.aliasFolder(QString::fromLatin1(core::kAliasData)) + QLatin1Char('\n') + QString::number(codeEmp)
                 + QLatin1Char('\n') + QString::number(period) + QLatin1Char('\n'))
                    .toUtf8());
        m_poznamka = path;
    }
}

// The note this module wrote goes; when it wrote none there is nothing to remove (every
// payroll posted in a batch or a bulk run would otherwise ask the file system).
void TDMV::dropNewPayrollMark()
{
    if (!m_poznamka.isEmpty())
        QFile::remove(std::exchange(m_poznamka, QString()));
}

void TDMV::cleanUpUnfinishedPayroll()
{
    const std::optional<Note> note = readNote(notePath(TVYP_.session()));
    if (!note)
        return;
    if (note->codeEmp != 0) {
        const QString firm = TVYP_.session().aliasFolder(QString::fromLatin1(core::kAliasData));
        // A note of another firm waits until that firm is open.
        if (note->firmFolder != firm)
            return;
        // The payroll of the note is this record's, already claimed; another one's claim is
        // taken for the clean-up. A program that holds it has replaced the rows with its own.
        const QString key = claimKey(note->codeEmp, note->period);
        const bool ours = m_claim && m_claim->key() == key;
        const std::unique_ptr<db::Claim> claim =
            ours ? nullptr : TVYP_.session().tryClaim(QString::fromLatin1(core::kAliasData), key);
        if (ours || claim)
            deleteDetailsOfDroppedPayroll(note->codeEmp, note->period);
    }
    const QString path = notePath(TVYP_.session());
    QFile::remove(path);
    if (m_poznamka == path)
        m_poznamka.clear();
}

} // namespace tarix::payroll
