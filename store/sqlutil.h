#pragma once
// The store's own thin layer over the SQLite C API. Windows never include this.

#include "result.h"
#include "tables.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace nm::store::sql {

// The collation every text key component uses: case-insensitive for every script.
inline constexpr const char* kCollation = "UNICODE_NOCASE";
void registerCollation(sqlite3* db);
int compareNoCase(const QString& a, const QString& b);

// Prepared statements kept for reuse on one connection, keyed by their text.
class StatementCache {
public:
    ~StatementCache() { clear(); }
    sqlite3_stmt* take(const QString& sql);
    void give(const QString& sql, sqlite3_stmt* stmt);
    void clear();

private:
    QHash<QString, sqlite3_stmt*> m_free;
};

class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    // Reuses a statement of the cache and hands it back, reset, at the end.
    Statement(sqlite3* db, const QString& sql, StatementCache& cache);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }
    int prepareCode() const { return m_prepareCode; }
    void bind(int index, const QVariant& value); // 1-based
    void bindAll(const QVariantList& values, int first = 1);
    int step(); // SQLITE_ROW, SQLITE_DONE or an error code
    void reset();
    qint64 int64(int col) const;
    QString text(int col) const;
    bool isNull(int col) const;
    sqlite3_stmt* get() const { return m_stmt; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    int m_prepareCode = 0;
    StatementCache* m_cache = nullptr;
    QString m_sql;
};

int exec(sqlite3* db, const QString& sql);
QString errorText(sqlite3* db);
// Turns a SQLite result code into the store's error: locks and read-only files are AccessDenied,
// damaged files KeysInvalid, unique-key conflicts DuplicateKey (text filled in by the caller).
Result failure(sqlite3* db, int rc);
// Runs one statement and returns the first column of the first row, or a failure.
Result scalar(sqlite3* db, const QString& sql, QVariant& out, const QVariantList& params = {});

QString quoted(const QString& identifier);
QString schemaName(TableId id); // nm_food
QString tableRef(TableId id);   // nm_food."Food"
QString columnList(const TableDef& t, const QString& alias = QString());
QString columnType(const FieldDef& f); // INTEGER or TEXT
QString indexName(const KeyDef& k);    // FOO_KEYNAME
// Condition that keeps a record in a key: any component not blank or zero. With `usable` false it is
// written so that the planner cannot take it as a reason to walk the key's index: a whole list loads
// several times faster by scanning the table and sorting than by looking up every row from the index.
QString keyCondition(const TableDef& t, const KeyDef& k, const QString& alias = QString(),
                     bool usable = true);
QString keyOrder(const TableDef& t, const KeyDef& k, const QString& alias = QString());
QString createTableSql(const TableDef& t, const QString& schema, const QString& tableName);
QString createIndexSql(const TableDef& t, const KeyDef& k, const QString& schema);

} // namespace nm::store::sql

namespace nm::store {
class Record;
}

namespace nm::store::sql {
// Fills the record's fields from the statement's columns first..first+fieldCount-1.
void readRecord(const Statement& st, int first, Record& record);
void bindRecord(Statement& st, const Record& record, int first = 1);
} // namespace nm::store::sql
