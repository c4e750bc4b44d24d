#include "sqlutil.h"

#include <sqlite3.h>

#include <algorithm>
#include <utility>

namespace nm::store::sql {

namespace {

inline unsigned char foldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

int collate(void*, int n1, const void* p1, int n2, const void* p2) {
    const auto* a = static_cast<const unsigned char*>(p1);
    const auto* b = static_cast<const unsigned char*>(p2);
    const int n = std::min(n1, n2);
    // Plain ASCII decides most comparisons; anything else goes through full case folding.
    for (int i = 0; i < n; ++i) {
        const unsigned char ca = a[i];
        const unsigned char cb = b[i];
        if ((ca | cb) & 0x80)
            return compareNoCase(QString::fromUtf8(reinterpret_cast<const char*>(a), n1),
                                 QString::fromUtf8(reinterpret_cast<const char*>(b), n2));
        const unsigned char fa = foldAscii(ca);
        const unsigned char fb = foldAscii(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (n1 == n2)
        return 0;
    return n1 < n2 ? -1 : 1;
}

} // namespace

int compareNoCase(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void registerCollation(sqlite3* db) {
    sqlite3_create_collation_v2(db, kCollation, SQLITE_UTF8, nullptr, &collate, nullptr);
}

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db) {
    const QByteArray utf8 = sql.toUtf8();
    m_prepareCode = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &m_stmt, nullptr);
    if (m_prepareCode != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::Statement(sqlite3* db, const QString& sql, StatementCache& cache) : m_db(db) {
    m_stmt = cache.take(sql);
    if (!m_stmt) {
        const QByteArray utf8 = sql.toUtf8();
        m_prepareCode = sqlite3_prepare_v3(db, utf8.constData(), static_cast<int>(utf8.size()),
                                           SQLITE_PREPARE_PERSISTENT, &m_stmt, nullptr);
        if (m_prepareCode != SQLITE_OK) {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            return;
        }
    }
    m_cache = &cache;
    m_sql = sql;
}

Statement::~Statement() {
    if (m_cache && m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        m_cache->give(m_sql, m_stmt);
    } else {
        sqlite3_finalize(m_stmt);
    }
}

sqlite3_stmt* StatementCache::take(const QString& sql) {
    auto it = m_free.find(sql);
    if (it == m_free.end())
        return nullptr;
    sqlite3_stmt* stmt = it.value();
    m_free.erase(it);
    return stmt;
}

void StatementCache::give(const QString& sql, sqlite3_stmt* stmt) {
    auto it = m_free.find(sql);
    if (it != m_free.end()) {
        sqlite3_finalize(stmt); // an equal one came back first
        return;
    }
    m_free.insert(sql, stmt);
}

void StatementCache::clear() {
    for (sqlite3_stmt* stmt : std::as_const(m_free))
        sqlite3_finalize(stmt);
    m_free.clear();
}

void Statement::bind(int index, const QVariant& value) {
    if (!m_stmt)
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Bool:
        sqlite3_bind_int64(m_stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(m_stmt, index, value.toDouble());
        break;
    case QMetaType::UnknownType:
        sqlite3_bind_null(m_stmt, index);
        break;
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(m_stmt, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

void Statement::bindAll(const QVariantList& values, int first) {
    for (int i = 0; i < values.size(); ++i)
        bind(first + i, values.at(i));
}

int Statement::step() {
    return m_stmt ? sqlite3_step(m_stmt) : m_prepareCode;
}

void Statement::reset() {
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

qint64 Statement::int64(int col) const {
    return sqlite3_column_int64(m_stmt, col);
}

QString Statement::text(int col) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col));
    return QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, col));
}

bool Statement::isNull(int col) const {
    return sqlite3_column_type(m_stmt, col) == SQLITE_NULL;
}

int exec(sqlite3* db, const QString& sql) {
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

QString errorText(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

Result failure(sqlite3* db, int rc) {
    const QString text = db ? errorText(db) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Result::failure(ErrorCode::AccessDenied, text, rc);
    case SQLITE_CORRUPT:
        return Result::failure(ErrorCode::KeysInvalid, text, rc);
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            return Result::failure(ErrorCode::DuplicateKey, text, rc);
        return Result::failure(ErrorCode::Other, text, rc);
    case SQLITE_CANTOPEN:
        return Result::failure(ErrorCode::FileNotFound, text, rc);
    default:
        return Result::failure(ErrorCode::Other, text, rc);
    }
}

Result scalar(sqlite3* db, const QString& sql, QVariant& out, const QVariantList& params) {
    Statement st(db, sql);
    if (!st.ok())
        return failure(db, st.prepareCode());
    st.bindAll(params);
    const int rc = st.step();
    if (rc == SQLITE_ROW) {
        switch (sqlite3_column_type(st.get(), 0)) {
        case SQLITE_INTEGER:
            out = st.int64(0);
            break;
        case SQLITE_NULL:
            out = QVariant();
            break;
        default:
            out = st.text(0);
        }
        return Result::success();
    }
    if (rc == SQLITE_DONE) {
        out = QVariant();
        return Result::success();
    }
    return failure(db, rc);
}

QString quoted(const QString& identifier) {
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString schemaName(TableId id) {
    return QLatin1String("nm_") + tableDef(id).label.toLower();
}

QString tableRef(TableId id) {
    return schemaName(id) + QLatin1Char('.') + quoted(tableDef(id).label);
}

QString columnList(const TableDef& t, const QString& alias) {
    QStringList cols;
    for (const FieldDef& f : t.fields)
        cols << (alias.isEmpty() ? QString() : alias + QLatin1Char('.')) + quoted(f.column());
    return cols.join(QLatin1String(", "));
}

QString columnType(const FieldDef& f) {
    return f.isText() ? QStringLiteral("TEXT") : QStringLiteral("INTEGER");
}

QString indexName(const KeyDef& k) {
    QString n = k.name;
    n.replace(QLatin1Char(':'), QLatin1Char('_'));
    return n;
}

QString keyCondition(const TableDef& t, const KeyDef& k, const QString& alias, bool usable) {
    QStringList parts;
    const QString pre =
        (usable ? QString() : QStringLiteral("+")) + (alias.isEmpty() ? QString() : alias + QLatin1Char('.'));
    for (const QString& c : k.components) {
        const FieldDef& f = t.fields.at(t.fieldIndex(c));
        parts << pre + quoted(f.column()) + (f.isText() ? QLatin1String(" <> ''") : QLatin1String(" <> 0"));
    }
    return QLatin1Char('(') + parts.join(QLatin1String(" OR ")) + QLatin1Char(')');
}

QString keyOrder(const TableDef& t, const KeyDef& k, const QString& alias) {
    QStringList parts;
    const QString pre = alias.isEmpty() ? QString() : alias + QLatin1Char('.');
    for (const QString& c : k.components) {
        const FieldDef& f = t.fields.at(t.fieldIndex(c));
        parts << pre + quoted(f.column()) +
                     (f.isText() ? QLatin1String(" COLLATE ") + QLatin1String(kCollation) : QString());
    }
    return parts.join(QLatin1String(", "));
}

QString createTableSql(const TableDef& t, const QString& schema, const QString& tableName) {
    QStringList cols;
    for (const FieldDef& f : t.fields) {
        cols << quoted(f.column()) + QLatin1Char(' ') + columnType(f) + QLatin1String(" NOT NULL DEFAULT ") +
                    (f.isText() ? QLatin1String("''") : QLatin1String("0"));
    }
    return QLatin1String("CREATE TABLE IF NOT EXISTS ") + schema + QLatin1Char('.') + quoted(tableName) +
           QLatin1String(" (") + cols.join(QLatin1String(", ")) + QLatin1Char(')');
}

QString createIndexSql(const TableDef& t, const KeyDef& k, const QString& schema) {
    return QLatin1String(k.unique ? "CREATE UNIQUE INDEX IF NOT EXISTS " : "CREATE INDEX IF NOT EXISTS ") +
           schema + QLatin1Char('.') + quoted(indexName(k)) + QLatin1String(" ON ") + quoted(t.label) +
           QLatin1String(" (") + keyOrder(t, k) + QLatin1String(") WHERE ") + keyCondition(t, k);
}

} // namespace nm::store::sql

#include "record.h"

namespace nm::store::sql {

void readRecord(const Statement& st, int first, Record& record) {
    const auto& fields = record.def().fields;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).isText())
            record.setValue(i, st.text(first + i));
        else
            record.setValue(i, st.int64(first + i));
    }
}

void bindRecord(Statement& st, const Record& record, int first) {
    const int n = static_cast<int>(record.def().fields.size());
    for (int i = 0; i < n; ++i)
        st.bind(first + i, record.value(i));
}

} // namespace nm::store::sql
