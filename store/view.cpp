#include "view.h"

#include "filter.h"
#include "relationmanager.h"
#include "sqlutil.h"
#include "tablemanager.h"

#include <sqlite3.h>

namespace nm::store {

View::View(DataStore& store, TableId table, QString keyName)
    : m_store(store), m_table(table), m_key(std::move(keyName)) {}

void View::setJoin(TableId other, QString thisField, QString otherField) {
    m_join = other;
    m_joinThis = std::move(thisField);
    m_joinOther = std::move(otherField);
}

void View::setRange(QString field, QVariant value) {
    m_rangeField = std::move(field);
    m_rangeValue = std::move(value);
}

void View::setKey(QString keyName) {
    m_key = std::move(keyName);
}

Result View::setFilter(const QString& expression) {
    QList<FilterScope> scope{{m_table, QStringLiteral("p")}};
    if (m_join)
        scope.append({*m_join, QStringLiteral("j")});
    QString sqlText;
    QVariantList params;
    Result r = compileFilter(expression, scope, sqlText, params);
    if (!r.ok())
        return r;
    m_filterSql = sqlText;
    m_filterParams = params;
    return r;
}

Result View::load(QVector<ViewRow>& rows) {
    rows.clear();
    Result r = m_store.table(m_table).open();
    if (r.ok() && m_join)
        r = m_store.table(*m_join).open();
    if (!r.ok())
        return r;

    const TableDef& t = tableDef(m_table);
    QString text = QLatin1String("SELECT p.rowid, ") + sql::columnList(t, QStringLiteral("p"));
    const TableDef* jt = m_join ? &tableDef(*m_join) : nullptr;
    if (jt)
        text += QLatin1String(", j.rowid, ") + sql::columnList(*jt, QStringLiteral("j"));
    text += QLatin1String(" FROM ") + sql::tableRef(m_table) + QLatin1String(" AS p");
    if (jt) {
        const int ti = t.fieldIndex(m_joinThis);
        const int oi = jt->fieldIndex(m_joinOther);
        if (ti < 0 || oi < 0)
            return Result::failure(
                ErrorCode::Other,
                QStringLiteral("unknown join field %1").arg(ti < 0 ? m_joinThis : m_joinOther));
        const FieldDef& of = jt->fields.at(oi);
        const QString oc = QLatin1String("j.") + sql::quoted(of.column());
        // The lookup goes through the other table's key, which holds no blank or zero values.
        text += QLatin1String(" LEFT JOIN ") + sql::tableRef(*m_join) + QLatin1String(" AS j ON ") + oc +
                QLatin1String(" = p.") + sql::quoted(t.fields.at(ti).column()) + QLatin1String(" AND ") + oc +
                (of.isText() ? QLatin1String(" <> ''") : QLatin1String(" <> 0"));
    }
    QStringList where;
    QVariantList params;
    const KeyDef* key = m_key.isEmpty() ? nullptr : t.key(m_key);
    if (!m_key.isEmpty() && !key)
        return Result::failure(ErrorCode::Other, QStringLiteral("unknown key %1").arg(m_key));
    if (key)
        where << sql::keyCondition(t, *key, QStringLiteral("p"), /*usable=*/false);
    if (!m_rangeField.isEmpty()) {
        const int ri = t.fieldIndex(m_rangeField);
        if (ri < 0)
            return Result::failure(ErrorCode::Other,
                                   QStringLiteral("unknown range field %1").arg(m_rangeField));
        Record probe(m_table);
        probe.setValue(ri, m_rangeValue);
        const FieldDef& rf = t.fields.at(ri);
        const QString col = QLatin1String("p.") + sql::quoted(rf.column());
        where << col + QLatin1String(" = ?") +
                     (rf.isText() ? QLatin1String(" COLLATE ") + QLatin1String(sql::kCollation) : QString());
        params << probe.value(ri);
        // Spelled out so that the key on the range field, which leaves blank and zero out, can serve it.
        const bool blank = rf.isText() ? probe.value(ri).toString().isEmpty() : probe.value(ri).toInt() == 0;
        if (!blank)
            where << col + (rf.isText() ? QLatin1String(" <> ''") : QLatin1String(" <> 0"));
    }
    if (!m_filterSql.isEmpty()) {
        where << m_filterSql;
        params += m_filterParams;
    }
    if (!where.isEmpty())
        text += QLatin1String(" WHERE ") + where.join(QLatin1String(" AND "));
    text += QLatin1String(" ORDER BY ");
    if (key)
        text += sql::keyOrder(t, *key, QStringLiteral("p")) + QLatin1String(", ");
    text += QLatin1String("p.rowid");

    sqlite3* db = m_store.connection();
    sql::Statement st(db, text);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    st.bindAll(params);
    const int n = static_cast<int>(t.fields.size());
    int rc;
    while ((rc = st.step()) == SQLITE_ROW) {
        ViewRow row{Record(m_table), std::nullopt};
        sql::readRecord(st, 1, row.primary);
        row.primary.setRowId(st.int64(0));
        if (jt && !st.isNull(n + 1)) {
            row.joined.emplace(*m_join);
            sql::readRecord(st, n + 2, *row.joined);
            row.joined->setRowId(st.int64(n + 1));
        }
        rows.append(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        rows.clear();
        return sql::failure(db, rc);
    }
    return Result::success();
}

} // namespace nm::store
