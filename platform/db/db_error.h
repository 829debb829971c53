#pragma once
// Errors of the dataset layer. Each kind is its own type so that callers test the kind,
// never the text. All derive from EMyError: whoever catches at the top shows the text.
#include "platform/errors.h"

#include <QString>
#include <QStringList>

namespace tarix::db {

class DbError : public tarix::EMyError {
public:
    explicit DbError(const QString &text, int sqliteCode = 0)
        : EMyError(text), m_code(sqliteCode) {}
    // The SQLite result code (extended) behind the error, 0 when the layer raised it itself.
    int sqliteCode() const noexcept { return m_code; }

private:
    int m_code;
};

// A second row with the same key (or the same values of a unique index).
class KeyViolation : public DbError {
public:
    explicit KeyViolation(int sqliteCode = 0)
        : DbError(QStringLiteral("Key violation."), sqliteCode) {}
};

// A required field left blank at post; names the field by its label.
class RequiredFieldError : public DbError {
public:
    RequiredFieldError(const QString &fieldName, const QString &label)
        : DbError(QStringLiteral("Položka %1 musí byť vyplnená.").arg(label)), m_field(fieldName) {}
    const QString &fieldName() const noexcept { return m_field; }

private:
    QString m_field;
};

// A value outside the field's allowed range, or text that is not a value of the field's type.
class FieldValueError : public DbError {
public:
    using DbError::DbError;
};

// Fields a dataset declares that its table or query does not have; names them.
class FieldMissingError : public DbError {
public:
    FieldMissingError(const QStringList &fields, const QString &dataSet)
        : DbError(QStringLiteral("Položka %1 sa nenachádza v %2.").arg(fields.join(u", "), dataSet)), m_fields(fields) {}
    const QStringList &fields() const noexcept { return m_fields; }

private:
    QStringList m_fields;
};

// A table (or the database holding it) that cannot be opened; names the folder and table.
class TableOpenError : public DbError {
public:
    TableOpenError(const QString &folder, const QString &table, const QString &reason)
        : DbError(QStringLiteral("Nepodarilo sa otvoriť tabuľku %1 v priečinku %2: %3")
                      .arg(table, folder, reason)),
          m_folder(folder), m_table(table), m_reason(reason) {}
    const QString &folder() const noexcept { return m_folder; }
    const QString &table() const noexcept { return m_table; }
    // SQLite's reason as it came, whole (a folder's URI holds ':' too).
    const QString &reason() const noexcept { return m_reason; }

private:
    QString m_folder;
    QString m_table;
    QString m_reason;
};

// Another process holds the database lock longer than the busy timeout.
class BusyError : public DbError {
public:
    using DbError::DbError;
};

// The database server cannot be reached, refuses the login, lacks what the program needs,
// or lost the connection. The text names the server (never the password) and the reason.
class ServerError : public DbError {
public:
    ServerError(const QString &text, const QString &server, const QString &reason)
        : DbError(text), m_server(server), m_reason(reason) {}
    const QString &server() const noexcept { return m_server; }
    const QString &reason() const noexcept { return m_reason; }

private:
    QString m_server;
    QString m_reason;
};

// What the clerk reads when the database stayed locked past the busy timeout; with the
// workstations that hold the lock when the server can name them.
inline QString busyMessage(const QString &holders = {})
{
    if (!holders.isEmpty())
        return QStringLiteral("Databáza je zamknutá inou stanicou (%1); skúste operáciu zopakovať neskôr.")
            .arg(holders);
    return QStringLiteral("Databáza je zamknutá iným programom alebo inou stanicou; "
                          "skúste operáciu zopakovať neskôr.");
}

// The server's login lacks a right the operation needs; the text names the right and the
// object in the clerk's words. The statement alone failed: the connection goes on.
class PermissionError : public DbError {
public:
    using DbError::DbError;
};

// The text of a refused right: the server's reason ("permission denied for table vyp") and
// the statement that needed it.
QString permissionText(const QString &server, const QString &reason, const QString &sql);

// A save or delete found the row no longer as it was read: another user (another program on
// the same database) changed or deleted it since. Nothing was written.
class RecordChangedError : public DbError {
public:
    RecordChangedError()
        : DbError(QStringLiteral("Záznam medzitým zmenil alebo zmazal iný používateľ. Zmeny neboli uložené.")) {}
};

// An operation that the dataset's state does not allow (a field assigned in browse state,
// posting a closed dataset, moving past a pending edit that cannot be posted, ...).
class StateError : public DbError {
public:
    using DbError::DbError;
};

// An SQL text that SQLite refuses to prepare or run; the text is kept for the report.
class SqlError : public DbError {
public:
    SqlError(const QString &message, const QString &sql, int sqliteCode)
        : DbError(QStringLiteral("%1\n%2").arg(message, sql), sqliteCode), m_sql(sql) {}
    const QString &sql() const noexcept { return m_sql; }

private:
    QString m_sql;
};

} // namespace tarix::db
