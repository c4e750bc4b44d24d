#pragma once
// A view walks a table in a key's order, optionally outer-joined to one lookup table, limited by a range
// on a field and by a filter expression. Rows load whole.

#include "datastore.h"
#include "record.h"
#include "result.h"

#include <QVector>
#include <optional>

namespace nm::store {

struct ViewRow {
    Record primary;
    std::optional<Record> joined;   // empty when the join found no record
};

class View {
public:
    View(DataStore& store, TableId table, QString keyName);

    // Outer join: each row's joined record is the one of `other` whose `otherField` equals this row's
    // `thisField` (Food -> Group on FOO:KEYIDGROUP = GRP:KEYIDGROUP, RecepieIng -> Food).
    void setJoin(TableId other, QString thisField, QString otherField);
    void setRange(QString field, QVariant value);   // rows whose field equals value; empty field clears
    // Filter text such as "(FOO:BloodA = 4 OR FOO:BloodA = 1) AND FOO:BloodO = 2"; empty clears.
    // Parsed into a tree over known field names; unknown fields or malformed text give BadExpression
    // with a text naming what was refused, and leave the previous filter in place.
    Result setFilter(const QString& expression);
    void setKey(QString keyName);
    QString key() const { return m_key; }

    // Every row, in key order; records whose key fields are all blank or zero are left out.
    Result load(QVector<ViewRow>& rows);

private:
    struct Compiled;
    DataStore& m_store;
    TableId m_table;
    QString m_key;
    std::optional<TableId> m_join;
    QString m_joinThis, m_joinOther;
    QString m_rangeField;
    QVariant m_rangeValue;
    QString m_filterSql;
    QVariantList m_filterParams;
};

}  // namespace nm::store
