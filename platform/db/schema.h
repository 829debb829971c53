#pragma once
// What the layer knows of a table, read from the database (PRAGMA table_info, index lists,
// column collations): fields in order with their types, the key and the named indexes.
#include "platform/db/value.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace tarix::db {

struct FieldDef {
    QString name;            // as declared
    QString declaredType;    // "VARCHAR(20)", "MONEY_REAL", ...
    FieldType type = FieldType::Unknown;
    int size = 0;            // characters of a text field
    bool required = false;   // NOT NULL
    QString collation;       // "BINARY", "SK", "NOCASE"
};

struct IndexDef {
    QString name;               // "ZAM1" for "Zam.ZAM1"; empty for the primary key
    QString sqlName;            // the index's name in the database
    QVector<int> fields;        // field positions, in key order
    QStringList collations;     // per key field
    QVector<bool> descending;   // per key field
    bool unique = false;
};

struct TableDef {
    QString schema;             // attached schema ("tarix_data")
    QString name;               // table name as stored ("Zam")
    QVector<FieldDef> fields;
    IndexDef primaryKey;        // fields empty: no key (rows keep insertion order)
    QVector<IndexDef> indexes;  // named secondary indexes
    int rowidAlias = -1;        // field that is the rowid (a single INTEGER PRIMARY KEY)

    int fieldIndex(const QString &name) const; // case-insensitive, -1 when absent
    const IndexDef *index(const QString &name) const; // "" or "PRIMARY": the key
    QString qualifiedName() const { return schema + u'.' + name; }
};

} // namespace tarix::db
