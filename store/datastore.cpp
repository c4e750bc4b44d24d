#include "datastore_p.h"
#include "schema.h"
#include "sqlutil.h"
#include "upgrade.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>
#include <utility>

namespace nm::store {

namespace {

// Commits that span several table files are only atomic when the connection's main database is a real
// file: SQLite writes its super-journal beside it. It holds no table and stays one page long.
const char* kSessionFile = ".nutrimap-session.db";

sqlite3* openConnection(const QString& path) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_extended_result_codes(db, 1);
    sql::Statement probe(db, QStringLiteral("SELECT count(*) FROM main.sqlite_master"));
    if (!probe.ok() || probe.step() != SQLITE_ROW) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

} // namespace

DataStore::DataStore(Messenger& messenger, QString directory)
    : m_messenger(messenger),
      m_directory(QDir(directory.isEmpty() ? QDir::currentPath() : directory).absolutePath()),
      m_impl(std::make_unique<Impl>()) {
    registerUpgradeService();
    const QString sessionPath = QDir(m_directory).filePath(QLatin1String(kSessionFile));
    m_impl->db = openConnection(sessionPath);
    if (!m_impl->db && QFile::exists(sessionPath)) {
        // A damaged session file holds nothing of value: start it afresh.
        QFile::remove(sessionPath);
        m_impl->db = openConnection(sessionPath);
    }
    if (!m_impl->db) {
        // A directory we cannot write to: nothing will be written anyway.
        m_impl->db = openConnection(QStringLiteral(":memory:"));
    }
    sql::registerCollation(m_impl->db);
    sqlite3_busy_timeout(m_impl->db, m_impl->busyTimeoutMs);
    sql::exec(m_impl->db, QStringLiteral("PRAGMA main.journal_mode=DELETE"));
    sql::exec(m_impl->db, QStringLiteral("PRAGMA main.synchronous=FULL"));

    for (TableId id : allTables()) {
        const auto i = static_cast<std::size_t>(id);
        m_impl->tables[i] = std::make_unique<TableManager>(*this, id);
    }
    for (TableId id : allTables()) {
        const auto i = static_cast<std::size_t>(id);
        m_impl->relations[i] = std::make_unique<RelationManager>(*this, *m_impl->tables[i]);
    }
}

DataStore::~DataStore() {
    if (m_impl->txDepth > 0)
        sql::exec(m_impl->db, QStringLiteral("ROLLBACK"));
    m_impl->relations = {};
    m_impl->tables = {};
    m_impl->statements.clear();
    sqlite3_close_v2(m_impl->db);
}

TableManager& DataStore::table(TableId id) {
    return *m_impl->tables.at(static_cast<std::size_t>(id));
}

RelationManager& DataStore::relation(TableId id) {
    return *m_impl->relations.at(static_cast<std::size_t>(id));
}

Record& DataStore::buffer(TableId id) {
    return table(id).buffer();
}

QString DataStore::filePath(TableId id) const {
    return QDir(m_directory).filePath(tableDef(id).fileName);
}

sqlite3* DataStore::connection() {
    return m_impl->db;
}

void DataStore::setUpgradeProgress(UpgradeProgress progress) {
    m_impl->progress = std::move(progress);
}

Result DataStore::begin() {
    if (m_impl->txDepth == 0) {
        const int rc = sql::exec(m_impl->db, QStringLiteral("BEGIN IMMEDIATE"));
        if (rc != SQLITE_OK)
            return sql::failure(m_impl->db, rc);
        m_impl->txAborted = false;
    }
    ++m_impl->txDepth;
    return Result::success();
}

Result DataStore::commit() {
    if (m_impl->txDepth == 0)
        return Result::failure(ErrorCode::Other, QStringLiteral("no transaction is active"));
    if (--m_impl->txDepth > 0)
        return Result::success();
    if (m_impl->txAborted) {
        m_impl->written.clear();
        sql::exec(m_impl->db, QStringLiteral("ROLLBACK"));
        return Result::failure(ErrorCode::Other, QStringLiteral("the transaction was rolled back"));
    }
    const int rc = sql::exec(m_impl->db, QStringLiteral("COMMIT"));
    const QSet<int> written = std::exchange(m_impl->written, {});
    if (rc != SQLITE_OK) {
        Result r = sql::failure(m_impl->db, rc);
        if (!sqlite3_get_autocommit(m_impl->db))
            sql::exec(m_impl->db, QStringLiteral("ROLLBACK"));
        return r;
    }
    for (int id : written)
        schema::markChecked(filePath(static_cast<TableId>(id)));
    return Result::success();
}

void DataStore::noteWritten(TableId id) {
    m_impl->written.insert(static_cast<int>(id));
}

void DataStore::rollback() {
    if (m_impl->txDepth == 0)
        return;
    if (--m_impl->txDepth > 0) {
        m_impl->txAborted = true;
        return;
    }
    m_impl->written.clear();
    if (!sqlite3_get_autocommit(m_impl->db))
        sql::exec(m_impl->db, QStringLiteral("ROLLBACK"));
}

bool DataStore::inTransaction() const {
    return m_impl->txDepth > 0;
}

void DataStore::setBusyTimeout(int milliseconds) {
    m_impl->busyTimeoutMs = milliseconds;
    sqlite3_busy_timeout(m_impl->db, milliseconds);
}

void DataStore::setLockRecoveryTime(int milliseconds) {
    m_impl->lockRecoveryMs = milliseconds;
}

int DataStore::busyTimeout() const {
    return m_impl->busyTimeoutMs;
}

int DataStore::lockRecoveryTime() const {
    return m_impl->lockRecoveryMs;
}

bool DataStore::openTable(TableId id) {
    return relation(id).open().ok();
}

} // namespace nm::store
