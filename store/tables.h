#pragma once
// The six tables of the program, described as data: fields, keys, files and structure versions.

#include <QList>
#include <QString>
#include <QStringList>

namespace nm::store {

enum class TableId { Food, Group, Recepie, RecepieIng, RecepieGroup, TimeSheet };
inline constexpr int kTableCount = 6;

enum class FieldType { Long, Byte, String, Date, Time, Memo };

struct FieldDef {
    QString name;    // full name with prefix, upper case: "FOO:NAME"
    FieldType type;
    int width;       // characters for String and Memo; 4 or 1 bytes otherwise
    QString column() const;   // SQL column name: the part after the colon
    int bytes() const;        // bytes in the fixed record (0 for a memo)
    bool isText() const;      // String or Memo
};

struct KeyDef {
    QString name;              // "FOO:KEYNAME"
    QStringList components;    // field names, in order
    bool unique;
    bool autoNumber;
    QString description;       // "By Name (sort)"
};

struct TableDef {
    TableId id;
    QString label;        // "Food": the SQL table name
    QString prefix;       // "FOO"
    QString fileName;     // "FOOD.TPS"
    int version;          // structure version; 0 when not registered with the upgrade
    QList<FieldDef> fields;   // the memo, when there is one, is the last field
    QList<KeyDef> keys;       // in registration order

    int recordSize() const;   // bytes of the fixed record, memo excluded
    int fieldIndex(const QString& fieldName) const;   // case-insensitive; -1 when unknown
    const KeyDef* key(const QString& keyName) const;  // nullptr when unknown
    const KeyDef* autoNumberKey() const;
    const FieldDef* memo() const;                     // nullptr when the table has none
};

const TableDef& tableDef(TableId id);
const QList<TableId>& allTables();
// Finds the table of a field or key name by its prefix ("FOO:..."); nullptr when unknown.
const TableDef* tableByPrefix(const QString& prefix);

}  // namespace nm::store
