#pragma once
// A prepared report saved to a file and loaded back, so a run's pages can be shown, printed
// and exported later without running the report again. The file is our own: a signature,
// a format version, the length and SHA-256 digest of the contents, then the pages. A file
// that is not such a report, was cut short or changed, or comes from a newer format is
// refused with a message; nothing of it is shown.
#include "platform/report/prepared.h"
#include <QByteArray>
#include <QString>
#include <optional>

namespace tarix::rpt {

constexpr quint32 kPreparedFileVersion = 1;
inline constexpr char kPreparedFileSuffix[] = "tzs";

QByteArray preparedReportBytes(const PreparedReport &report);
// nullopt with the reason in `error` when the bytes are not a whole prepared report;
// `fileName` names the file in the message.
std::optional<PreparedReport> preparedReportFromBytes(const QByteArray &bytes, const QString &fileName,
                                                      QString *error = nullptr);

// The file is written under a temporary name and replaces `fileName` only when complete.
bool savePreparedReport(const PreparedReport &report, const QString &fileName, QString *error = nullptr);
std::optional<PreparedReport> loadPreparedReport(const QString &fileName, QString *error = nullptr);

} // namespace tarix::rpt
