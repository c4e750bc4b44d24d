#include "relationmanager.h"

#include "datastore_p.h"
#include "sqlutil.h"
#include "tablemanager.h"

#include <QSet>
#include <sqlite3.h>

namespace nm::store {

namespace {

Relation parent(TableId child, const char* thisField, const char* childField, const char* childKey) {
    return {child,
            RelationKind::ParentSide,
            QLatin1String(thisField),
            QLatin1String(childField),
            QLatin1String(childKey),
            true,
            true};
}

Relation childOf(TableId parentTable, const char* thisField, const char* parentField, const char* parentKey) {
    return {parentTable,
            RelationKind::ChildSide,
            QLatin1String(thisField),
            QLatin1String(parentField),
            QLatin1String(parentKey),
            false,
            false};
}

const QList<Relation>& relationsOf(TableId id) {
    static const QList<Relation> recepieIng{
        childOf(TableId::Recepie, "REI:KEYIDRECEPIE", "REC:KEYIDRECEPIE", "REC:KEYID"),
        {TableId::Food, RelationKind::Lookup, QStringLiteral("REI:KEYIDFOOD"),
         QStringLiteral("FOO:KEYIDFOOD"), QStringLiteral("FOO:KEYID"), false, false}};
    static const QList<Relation> recepieGroup{
        parent(TableId::Recepie, "REG:KEYIDRGROUP", "REC:KEYIDRGROUP", "REC:KEYRGROUP")};
    static const QList<Relation> recepie{
        parent(TableId::RecepieIng, "REC:KEYIDRECEPIE", "REI:KEYIDRECEPIE", "REI:KEYRECEPIE"),
        childOf(TableId::RecepieGroup, "REC:KEYIDRGROUP", "REG:KEYIDRGROUP", "REG:KEYID")};
    static const QList<Relation> food{
        {TableId::RecepieIng, RelationKind::LookupTarget, QStringLiteral("FOO:KEYIDFOOD"),
         QStringLiteral("REI:KEYIDFOOD"), QStringLiteral("REI:KEYFOOD"), false, false},
        childOf(TableId::Group, "FOO:KEYIDGROUP", "GRP:KEYIDGROUP", "GRP:KEYID")};
    static const QList<Relation> group{
        parent(TableId::Food, "GRP:KEYIDGROUP", "FOO:KEYIDGROUP", "FOO:KEYGROUP"),
        parent(TableId::TimeSheet, "GRP:KEYIDGROUP", "TIM:KEYIDTYPE", "TIM:KEYIDJOBTYPE")};
    static const QList<Relation> timeSheet{
        childOf(TableId::Group, "TIM:KEYIDTYPE", "GRP:KEYIDGROUP", "GRP:KEYID")};
    switch (id) {
    case TableId::Food:
        return food;
    case TableId::Group:
        return group;
    case TableId::Recepie:
        return recepie;
    case TableId::RecepieIng:
        return recepieIng;
    case TableId::RecepieGroup:
        return recepieGroup;
    case TableId::TimeSheet:
        return timeSheet;
    }
    return food;
}

QString column(TableId id, const QString& field) {
    const TableDef& t = tableDef(id);
    return sql::quoted(t.fields.at(t.fieldIndex(field)).column());
}

} // namespace

RelationManager::RelationManager(DataStore& store, TableManager& table) : m_store(store), m_table(table) {}

const QList<Relation>& RelationManager::relations() const {
    return relationsOf(m_table.id());
}

Result RelationManager::open() {
    Result r = m_table.open();
    if (!r.ok())
        return r;
    // Ready every table reachable through the relations, each once; files open when first used.
    QSet<int> seen{static_cast<int>(m_table.id())};
    QList<TableId> queue{m_table.id()};
    while (!queue.isEmpty()) {
        const TableId id = queue.takeFirst();
        for (const Relation& rel : relationsOf(id)) {
            if (seen.contains(static_cast<int>(rel.other)))
                continue;
            seen.insert(static_cast<int>(rel.other));
            m_store.table(rel.other).setReadied();
            queue.append(rel.other);
        }
    }
    m_table.setReadied();
    return r;
}

Result RelationManager::insert() {
    return m_table.insert();
}

Result RelationManager::update() {
    Result r = m_table.open();
    for (const Relation& rel : relations()) {
        if (r.ok() && rel.kind == RelationKind::ParentSide && rel.cascadeOnChange)
            r = m_store.table(rel.other).open();
    }
    if (!r.ok())
        return r;
    const qint64 row = m_table.buffer().rowId();
    Record stored(m_table.id());
    if (row == 0 || !m_table.readStored(row, stored).ok())
        return m_table.update(); // reports the record as not found

    sqlite3* db = m_store.connection();
    r = m_store.begin();
    if (!r.ok())
        return r;
    // Read the old linking values inside the transaction, so no other change slips in between.
    r = m_table.readStored(row, stored);
    if (r.ok())
        r = m_table.update();
    for (const Relation& rel : relations()) {
        if (!r.ok())
            break;
        if (rel.kind != RelationKind::ParentSide || !rel.cascadeOnChange)
            continue;
        const qint32 oldValue = stored.integer(rel.thisField);
        const qint32 newValue = m_table.buffer().integer(rel.thisField);
        if (oldValue == newValue || oldValue == 0)
            continue;
        const QString col = column(rel.other, rel.otherField);
        m_store.noteWritten(rel.other);
        sql::Statement st(db, QLatin1String("UPDATE ") + sql::tableRef(rel.other) + QLatin1String(" SET ") +
                                  col + QLatin1String(" = ?1 WHERE ") + col + QLatin1String(" = ?2"));
        if (!st.ok()) {
            r = sql::failure(db, st.prepareCode());
            break;
        }
        st.bind(1, newValue);
        st.bind(2, oldValue);
        const int rc = st.step();
        if (rc != SQLITE_DONE)
            r = sql::failure(db, rc);
    }
    if (!r.ok()) {
        m_store.rollback();
        if (r.code != ErrorCode::ChangedByAnother) {
            // Nothing was stored: the copy read is the stored record again, the buffer keeps the entry.
            const Record entered = m_table.buffer();
            m_table.setBuffer(stored);
            m_table.buffer() = entered;
        }
        return r;
    }
    r = m_store.commit();
    if (!r.ok()) {
        const Record entered = m_table.buffer();
        m_table.setBuffer(stored);
        m_table.buffer() = entered;
    }
    return r;
}

Result RelationManager::remove() {
    Result r = m_table.open();
    for (const Relation& rel : relations()) {
        if (r.ok() && rel.kind == RelationKind::ParentSide && rel.restrictOnDelete)
            r = m_store.table(rel.other).open();
    }
    if (!r.ok())
        return r;
    const qint64 row = m_table.buffer().rowId();
    if (row == 0)
        return m_table.remove();

    sqlite3* db = m_store.connection();
    r = m_store.begin();
    if (!r.ok())
        return r;
    Record stored(m_table.id());
    r = m_table.readStored(row, stored);
    for (const Relation& rel : relations()) {
        if (!r.ok())
            break;
        if (rel.kind != RelationKind::ParentSide || !rel.restrictOnDelete)
            continue;
        const qint32 value = stored.integer(rel.thisField);
        if (value == 0)
            continue; // a zero link is in no key, so no child can hang on it
        QVariant hit;
        r = sql::scalar(db,
                        QLatin1String("SELECT 1 FROM ") + sql::tableRef(rel.other) +
                            QLatin1String(" WHERE ") + column(rel.other, rel.otherField) +
                            QLatin1String(" = ?1 LIMIT 1"),
                        hit, {value});
        if (r.ok() && hit.isValid())
            r = Result::failure(ErrorCode::RestrictedDelete, tableDef(rel.other).label);
    }
    if (r.ok())
        r = m_table.remove();
    if (!r.ok()) {
        m_store.rollback();
        return r;
    }
    return m_store.commit();
}

} // namespace nm::store
