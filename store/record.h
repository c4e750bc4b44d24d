#pragma once
// A record buffer: one value per field of a table, in field order.

#include "tables.h"

#include <QDate>
#include <QTime>
#include <QVariant>
#include <QVector>

namespace nm::store {

class Record {
public:
    explicit Record(TableId table);

    TableId table() const { return m_table; }
    const TableDef& def() const { return tableDef(m_table); }

    // Field access by full name ("FOO:NAME", case ignored) or by index.
    // Text is kept without trailing blanks and cut to its width on set; numbers wrap to their type.
    qint32 integer(const QString& field) const;
    QString text(const QString& field) const;
    QVariant value(int index) const { return m_values.at(index); }
    void setInteger(const QString& field, qint64 v);
    void setText(const QString& field, const QString& v);
    void setValue(int index, const QVariant& v);

    void clear();                 // every field blank or zero
    bool operator==(const Record& o) const;
    bool operator!=(const Record& o) const { return !(*this == o); }

    // Position of the stored row this buffer was read from or written to; 0 when none.
    qint64 rowId() const { return m_rowId; }
    void setRowId(qint64 id) { m_rowId = id; }

    // DATE and TIME values in the packed 32-bit forms of the record layout.
    static qint32 packDate(const QDate& d);
    static QDate unpackDate(qint32 v);
    static qint32 packTime(const QTime& t);
    static QTime unpackTime(qint32 v);

private:
    TableId m_table;
    QVector<QVariant> m_values;
    qint64 m_rowId = 0;
};

// Cuts text to at most width characters (never inside a character) and drops trailing blanks.
QString fitText(const QString& text, int width);

}  // namespace nm::store
