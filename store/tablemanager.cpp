#include "tablemanager.h"

#include "datastore_p.h"
#include "schema.h"
#include "sqlutil.h"
#include "upgrade.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <unistd.h>

namespace nm::store {

using sql::quoted;
using sql::Statement;

struct TableManager::Impl {
    explicit Impl(TableId id) : buffer(id), readCopy(id) {}
    Record buffer;
    Record readCopy;
    bool open = false;
    bool readOnly = false;
    bool readied = false;
    qint64 reservedRow = 0;
};

namespace {

// What every write to a table opened read-only answers.
Result readOnlyError() {
    return Result::failure(ErrorCode::AccessDenied, QStringLiteral("attempt to write a readonly database"),
                           SQLITE_READONLY);
}

enum class Outcome { Opened, AccessDenied, NotFound, KeysInvalid, Other };

struct Attempt {
    Outcome outcome;
    Result result;
};

// Locks and read-only files deny access; damaged pages (SQLITE_CORRUPT) call for a rebuild of the keys;
// anything else, a file that is no database (SQLITE_NOTADB) among them, fails the open.
Outcome outcomeOf(const Result& r) {
    switch (r.code) {
    case ErrorCode::AccessDenied:
        return Outcome::AccessDenied;
    case ErrorCode::KeysInvalid:
        return Outcome::KeysInvalid;
    case ErrorCode::FileNotFound:
        return Outcome::NotFound;
    default:
        return Outcome::Other;
    }
}

enum class Sql { Read, Insert, Update, Delete, Next };

QString marks(int n);

// The record operations' statement texts, built once per table.
const QString& sqlFor(TableId id, Sql kind) {
    static QHash<int, QString> texts;
    const int k = static_cast<int>(id) * 8 + static_cast<int>(kind);
    auto it = texts.constFind(k);
    if (it != texts.constEnd())
        return it.value();
    const TableDef& t = tableDef(id);
    const QString ref = sql::tableRef(id);
    QString text;
    switch (kind) {
    case Sql::Read:
        text = QLatin1String("SELECT rowid, ") + sql::columnList(t) + QLatin1String(" FROM ") + ref +
               QLatin1String(" WHERE rowid = ?1");
        break;
    case Sql::Insert:
        text = QLatin1String("INSERT INTO ") + ref + QLatin1String(" (") + sql::columnList(t) +
               QLatin1String(") VALUES (") + marks(static_cast<int>(t.fields.size())) + QLatin1Char(')');
        break;
    case Sql::Update: {
        QStringList sets;
        for (const FieldDef& f : t.fields)
            sets << quoted(f.column()) + QLatin1String(" = ?");
        text = QLatin1String("UPDATE ") + ref + QLatin1String(" SET ") + sets.join(QLatin1String(", ")) +
               QLatin1String(" WHERE rowid = ?");
        break;
    }
    case Sql::Delete:
        text = QLatin1String("DELETE FROM ") + ref + QLatin1String(" WHERE rowid = ?1");
        break;
    case Sql::Next:
        if (const KeyDef* key = t.autoNumberKey()) {
            const QString col = quoted(t.fields.at(t.fieldIndex(key->components.first())).column());
            text = QLatin1String("SELECT ") + col + QLatin1String(" FROM ") + ref + QLatin1String(" WHERE ") +
                   col + QLatin1String(" <> 0 ORDER BY ") + col + QLatin1String(" DESC LIMIT 1");
        }
        break;
    }
    return texts.insert(k, text).value();
}

QString marks(int n) {
    QStringList m;
    for (int i = 0; i < n; ++i)
        m << QStringLiteral("?");
    return m.join(QLatin1String(", "));
}

} // namespace

TableManager::TableManager(DataStore& store, TableId id)
    : m_store(store), m_id(id), m_impl(std::make_unique<Impl>(id)) {}

TableManager::~TableManager() {
    if (m_impl->open)
        schema::detach(m_store.m_impl->db, sql::schemaName(m_id));
}

Record& TableManager::buffer() {
    return m_impl->buffer;
}
bool TableManager::isOpen() const {
    return m_impl->open;
}
bool TableManager::readOnly() const {
    return m_impl->readOnly;
}
const Record& TableManager::readCopy() const {
    return m_impl->readCopy;
}
bool TableManager::readied() const {
    return m_impl->readied;
}
void TableManager::setReadied() {
    m_impl->readied = true;
}

void TableManager::setBuffer(const Record& record) {
    m_impl->buffer = record;
    m_impl->readCopy = record;
}

// One try at opening the file as it is: any damage found is reported, not repaired.
static Attempt tryOpen(DataStore& store, sqlite3* db, TableId id, bool readOnly, int busyMs,
                       const UpgradeProgress& progress) {
    const TableDef& t = tableDef(id);
    const QString s = sql::schemaName(id);
    const QString path = store.filePath(id);
    schema::detach(db, s);
    if (!QFileInfo::exists(path))
        return {Outcome::NotFound,
                Result::failure(ErrorCode::FileNotFound, QStringLiteral("file not found"))};

    sqlite3_busy_timeout(db, busyMs);
    struct RestoreTimeout {
        sqlite3* db;
        int ms;
        ~RestoreTimeout() { sqlite3_busy_timeout(db, ms); }
    } restore{db, store.busyTimeout()};

    Result r =
        schema::attach(db, path, s, readOnly ? schema::OpenMode::ReadOnly : schema::OpenMode::ReadWrite);
    if (!r.ok()) {
        // Attaching reads the file's schema, so locks and damage show up here already.
        if (r.code == ErrorCode::FileNotFound && QFileInfo::exists(path))
            return {Outcome::AccessDenied, Result::failure(ErrorCode::AccessDenied, r.text, r.sqliteCode)};
        return {outcomeOf(r), r};
    }
    auto fail = [&](Outcome o, Result res) {
        schema::detach(db, s);
        return Attempt{o, res};
    };

    // The first read shows whether the file is a database at all and whether another holds it locked.
    QVariant dummy;
    r = sql::scalar(db, QLatin1String("SELECT count(*) FROM ") + s + QLatin1String(".sqlite_master"), dummy);
    if (!r.ok())
        return fail(outcomeOf(r), r);
    if (!readOnly) {
        const bool dirWritable = ::access(QFile::encodeName(store.directory()).constData(), W_OK) == 0;
        if (sqlite3_db_readonly(db, s.toUtf8().constData()) == 1 || !dirWritable) {
            return fail(Outcome::AccessDenied, readOnlyError());
        }
        sql::exec(db, QLatin1String("PRAGMA ") + s + QLatin1String(".journal_mode=DELETE"));
    }
    sql::exec(db, QLatin1String("PRAGMA ") + s + QLatin1String(".synchronous=FULL"));

    schema::Layout layout;
    r = schema::inspect(db, id, layout);
    if (!r.ok())
        return fail(outcomeOf(r), r);
    switch (layout) {
    case schema::Layout::Current:
        break;
    case schema::Layout::Empty:
        // An empty file is an empty table.
        if (readOnly)
            return fail(Outcome::Other,
                        Result::failure(ErrorCode::Other, QStringLiteral("the file holds no table")));
        r = schema::create(db, id, s);
        if (!r.ok())
            return fail(Outcome::Other, r);
        schema::markChecked(path);
        break;
    case schema::Layout::Foreign:
        return fail(
            Outcome::Other,
            Result::failure(ErrorCode::Other, QStringLiteral("the file holds no table %1").arg(t.label)));
    case schema::Layout::Differs:
        if (!isRegisteredForUpgrade(id))
            return fail(Outcome::Other, Result::failure(ErrorCode::Other,
                                                        QStringLiteral("the stored record layout differs")));
        if (readOnly)
            return fail(
                Outcome::Other,
                Result::failure(ErrorCode::Other,
                                QStringLiteral("the file needs converting to the current record layout "
                                               "but is open read-only")));
        r = schema::upgrade(db, id, progress);
        if (!r.ok())
            return fail(
                Outcome::Other,
                Result::failure(ErrorCode::Other,
                                QStringLiteral("conversion to the current record layout failed, the file "
                                               "is unchanged: %1")
                                    .arg(r.text),
                                r.sqliteCode));
        break;
    }

    bool valid = false;
    r = schema::checkKeys(db, id, path, valid);
    if (!r.ok())
        return fail(Outcome::AccessDenied, r);
    if (!valid)
        return fail(Outcome::KeysInvalid,
                    Result::failure(ErrorCode::KeysInvalid, QStringLiteral("keys invalid")));
    return {Outcome::Opened, Result::success()};
}

Result TableManager::open() {
    if (m_impl->open)
        return Result::success();
    if (m_store.m_failed) {
        m_lastError =
            Result::failure(ErrorCode::Other, QStringLiteral("the data store failed to open a table"));
        return m_lastError;
    }
    if (m_store.inTransaction()) {
        m_lastError =
            Result::failure(ErrorCode::Other, QStringLiteral("tables cannot be opened inside a transaction"));
        return m_lastError;
    }
    sqlite3* db = m_store.m_impl->db;
    // Files get attached and detached below; statements compiled against the old set go.
    m_store.m_impl->statements.clear();
    Messenger& msg = m_store.messenger();
    const QString file = def().fileName;
    const QString path = m_store.filePath(m_id);
    bool readOnly = false;
    Result last;

    auto fatal = [&](ErrorCode code, const QString& title, const QString& text, const Result& cause) {
        m_store.m_failed = true;
        msg.fatal(title, text);
        m_lastError = Result::failure(code, cause.text, cause.sqliteCode);
        return m_lastError;
    };

    for (int pass = 0; pass < 2; ++pass) {
        Attempt a = tryOpen(m_store, db, m_id, readOnly, m_store.busyTimeout(), m_store.m_impl->progress);
        if (a.outcome == Outcome::AccessDenied) {
            // Lock recovery: wait for the holder of the lock for the recovery time, then try again at once.
            a = tryOpen(m_store, db, m_id, readOnly, m_store.lockRecoveryTime(), m_store.m_impl->progress);
        }
        last = a.result;
        switch (a.outcome) {
        case Outcome::Opened:
            m_impl->open = true;
            m_impl->readOnly = readOnly;
            m_lastError = Result::success();
            return m_lastError;
        case Outcome::AccessDenied:
            if (readOnly)
                return fatal(
                    ErrorCode::AccessDenied, QStringLiteral("File Access Error"),
                    QStringLiteral("File %1 could not be opened.  Error: %2.").arg(file, a.result.text),
                    a.result);
            readOnly = true;
            msg.notice(QStringLiteral("Access Denied"),
                       QStringLiteral("Could not get write access to %1 so trying read-only.").arg(file));
            break;
        case Outcome::NotFound: {
            Result c = schema::attach(db, path, sql::schemaName(m_id), schema::OpenMode::Create);
            if (c.ok()) {
                c = schema::create(db, m_id, sql::schemaName(m_id));
                schema::detach(db, sql::schemaName(m_id));
            }
            if (!c.ok())
                return fatal(ErrorCode::CreateFailed, QStringLiteral("File Creation Error"),
                             QStringLiteral("Error: (%1) creating %2.").arg(c.text, file), c);
            schema::markChecked(path);
            break;
        }
        case Outcome::KeysInvalid: {
            msg.notice(QStringLiteral("Invalid Key"),
                       QStringLiteral("%1 key file is invalid. Key must be rebuilt.").arg(file));
            Result b = schema::rebuild(db, m_id, path);
            if (!b.ok())
                return fatal(ErrorCode::RebuildFailed, QStringLiteral("Key was not built"),
                             QStringLiteral("Error: (%1) repairing key for %2.").arg(b.text, file), b);
            break;
        }
        case Outcome::Other:
            return fatal(a.result.code == ErrorCode::None ? ErrorCode::Other : a.result.code,
                         QStringLiteral("File Access Error"),
                         QStringLiteral("File %1 could not be opened.  Error: %2.").arg(file, a.result.text),
                         a.result);
        }
    }
    if (last.text.isEmpty())
        last.text = QStringLiteral("the file could not be opened in two passes");
    return fatal(ErrorCode::Other, QStringLiteral("File Access Error"),
                 QStringLiteral("File %1 could not be opened.  Error: %2.").arg(file, last.text), last);
}

// ---- records -------------------------------------------------------------------------------------

namespace {

Result readRow(sqlite3* db, sql::StatementCache& cache, TableId id, qint64 rowId, Record& out, bool& found) {
    Statement st(db, sqlFor(id, Sql::Read), cache);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    st.bind(1, rowId);
    const int rc = st.step();
    found = rc == SQLITE_ROW;
    if (rc == SQLITE_ROW) {
        sql::readRecord(st, 1, out);
        out.setRowId(rowId);
        return Result::success();
    }
    return rc == SQLITE_DONE ? Result::success() : sql::failure(db, rc);
}

// Which unique key a conflicting record shares with this one; its description names it in the message.
QString conflictingKey(sqlite3* db, const Record& rec) {
    const TableDef& t = rec.def();
    for (const KeyDef& k : t.keys) {
        if (!k.unique)
            continue;
        QStringList conds{sql::keyCondition(t, k)};
        QVariantList params;
        for (const QString& c : k.components) {
            const int i = t.fieldIndex(c);
            const FieldDef& f = t.fields.at(i);
            conds << quoted(f.column()) + QLatin1String(" = ?") +
                         (f.isText() ? QLatin1String(" COLLATE ") + QLatin1String(sql::kCollation)
                                     : QString());
            params << rec.value(i);
        }
        conds << QStringLiteral("rowid <> ?");
        params << rec.rowId();
        QVariant hit;
        if (sql::scalar(db,
                        QLatin1String("SELECT 1 FROM ") + sql::tableRef(rec.table()) +
                            QLatin1String(" WHERE ") + conds.join(QLatin1String(" AND ")) +
                            QLatin1String(" LIMIT 1"),
                        hit, params)
                .ok() &&
            hit.isValid())
            return k.description;
    }
    const KeyDef* first = nullptr;
    for (const KeyDef& k : t.keys) {
        if (k.unique && !first)
            first = &k;
    }
    return first ? first->description : QString();
}

Result nextNumber(sqlite3* db, sql::StatementCache& cache, TableId id, qint64& number) {
    Statement st(db, sqlFor(id, Sql::Next), cache);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    const int rc = st.step();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return sql::failure(db, rc);
    number = rc == SQLITE_ROW ? st.int64(0) + 1 : 1;
    if (number < 1)
        number = 1;
    return Result::success();
}

Result insertRow(sqlite3* db, sql::StatementCache& cache, Record& rec) {
    Statement st(db, sqlFor(rec.table(), Sql::Insert), cache);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    sql::bindRecord(st, rec);
    const int rc = st.step();
    if (rc != SQLITE_DONE)
        return sql::failure(db, rc);
    rec.setRowId(sqlite3_last_insert_rowid(db));
    return Result::success();
}

Result updateRow(sqlite3* db, sql::StatementCache& cache, const Record& rec, bool& changed) {
    const TableDef& t = rec.def();
    Statement st(db, sqlFor(rec.table(), Sql::Update), cache);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    sql::bindRecord(st, rec);
    st.bind(static_cast<int>(t.fields.size()) + 1, rec.rowId());
    const int rc = st.step();
    if (rc != SQLITE_DONE)
        return sql::failure(db, rc);
    changed = sqlite3_changes(db) > 0;
    return Result::success();
}

} // namespace

Result TableManager::deleteRow(qint64 rowId) {
    sqlite3* db = m_store.m_impl->db;
    Result r = m_store.begin();
    if (!r.ok())
        return r;
    m_store.noteWritten(m_id);
    Statement st(db, sqlFor(m_id, Sql::Delete), m_store.m_impl->statements);
    int rc = st.ok() ? SQLITE_OK : st.prepareCode();
    if (st.ok()) {
        st.bind(1, rowId);
        rc = st.step();
    }
    if (rc != SQLITE_DONE) {
        r = sql::failure(db, rc);
        m_store.rollback();
        return r;
    }
    if (sqlite3_changes(db) == 0) {
        m_store.rollback();
        return Result::failure(ErrorCode::NotFound, QStringLiteral("the record was deleted by another"));
    }
    return m_store.commit();
}

Result TableManager::readStored(qint64 rowId, Record& out) {
    Result r = open();
    if (!r.ok())
        return r;
    bool found = false;
    r = readRow(m_store.m_impl->db, m_store.m_impl->statements, m_id, rowId, out, found);
    if (r.ok() && !found)
        r = Result::failure(ErrorCode::NotFound, QStringLiteral("record not found"));
    m_lastError = r;
    return r;
}

Result TableManager::primeAutoInc() {
    m_impl->buffer.clear();
    m_impl->reservedRow = 0;
    if (m_id == TableId::TimeSheet) {
        const QDateTime now = QDateTime::currentDateTime();
        m_impl->buffer.setInteger(QStringLiteral("TIM:DATE"), Record::packDate(now.date()));
        m_impl->buffer.setInteger(QStringLiteral("TIM:ENDTIME"), Record::packTime(now.time()));
    }
    m_impl->readCopy = m_impl->buffer;
    const KeyDef* key = def().autoNumberKey();
    if (!key)
        return m_lastError = Result::success();
    Result r = open();
    if (!r.ok())
        return r;
    sqlite3* db = m_store.m_impl->db;
    const int field = def().fieldIndex(key->components.first());

    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (m_impl->readOnly) {
                r = Result::failure(ErrorCode::AccessDenied,
                                    QStringLiteral("attempt to write a readonly database"));
                break;
            }
            r = m_store.begin();
            if (!r.ok())
                continue;
            qint64 number = 0;
            r = nextNumber(db, m_store.m_impl->statements, m_id, number);
            Record blank = m_impl->buffer;
            blank.setValue(field, number);
            m_store.noteWritten(m_id);
            if (r.ok())
                r = insertRow(db, m_store.m_impl->statements, blank);
            if (r.ok()) {
                r = m_store.commit();
                if (r.ok()) {
                    m_impl->buffer = blank;
                    m_impl->readCopy = blank;
                    m_impl->reservedRow = blank.rowId();
                    return m_lastError = Result::success();
                }
            } else {
                m_store.rollback();
            }
        }
        const QString question = QStringLiteral("Attempts to automatically number this record have "
                                                "failed.\nFile: %1\nKey: %2\nError: %3.\nTry Again?")
                                     .arg(def().fileName, key->name, r.text);
        if (!m_store.messenger().askYesNo(QStringLiteral("Auto Increment Error"), question))
            return m_lastError = r;
    }
}

Result TableManager::cancelAutoInc() {
    if (m_impl->reservedRow == 0)
        return m_lastError = Result::success();
    const qint64 row = m_impl->reservedRow;
    m_impl->reservedRow = 0;
    Result r = deleteRow(row);
    if (!r.ok())
        return m_lastError = r;
    m_impl->buffer.setRowId(0);
    m_impl->readCopy.setRowId(0);
    return m_lastError = Result::success();
}

Result TableManager::fetch(const QString& keyName, const QVariantList& values) {
    Result r = open();
    if (!r.ok())
        return r;
    const TableDef& t = def();
    const KeyDef* key = t.key(keyName);
    if (!key)
        return m_lastError = Result::failure(ErrorCode::Other, QStringLiteral("unknown key %1").arg(keyName));
    QStringList conds{sql::keyCondition(t, *key)};
    for (int i = 0; i < values.size() && i < key->components.size(); ++i) {
        const FieldDef& f = t.fields.at(t.fieldIndex(key->components.at(i)));
        conds << quoted(f.column()) + QLatin1String(" = ?") +
                     (f.isText() ? QLatin1String(" COLLATE ") + QLatin1String(sql::kCollation) : QString());
    }
    sqlite3* db = m_store.m_impl->db;
    Statement st(db, QLatin1String("SELECT rowid, ") + sql::columnList(t) + QLatin1String(" FROM ") +
                         sql::tableRef(m_id) + QLatin1String(" WHERE ") + conds.join(QLatin1String(" AND ")) +
                         QLatin1String(" ORDER BY ") + sql::keyOrder(t, *key) +
                         QLatin1String(", rowid LIMIT 1"));
    if (!st.ok())
        return m_lastError = sql::failure(db, st.prepareCode());
    Record probe(m_id);
    for (int i = 0; i < values.size() && i < key->components.size(); ++i) {
        // Compare with the value as the field would store it (cut, numbers wrapped).
        const int fi = t.fieldIndex(key->components.at(i));
        probe.setValue(fi, values.at(i));
        st.bind(i + 1, probe.value(fi));
    }
    const int rc = st.step();
    if (rc == SQLITE_ROW) {
        Record rec(m_id);
        sql::readRecord(st, 1, rec);
        rec.setRowId(st.int64(0));
        m_impl->buffer = rec;
        m_impl->readCopy = rec;
        return m_lastError = Result::success();
    }
    if (rc == SQLITE_DONE)
        return m_lastError = Result::failure(ErrorCode::NotFound, QStringLiteral("record not found"));
    return m_lastError = sql::failure(db, rc);
}

Result TableManager::fetchRow(qint64 rowId) {
    Record rec(m_id);
    Result r = readStored(rowId, rec);
    if (!r.ok())
        return r;
    m_impl->buffer = rec;
    m_impl->readCopy = rec;
    return r;
}

Result TableManager::insert() {
    Result r = open();
    if (!r.ok())
        return r;
    if (m_impl->readOnly)
        return m_lastError = readOnlyError();
    sqlite3* db = m_store.m_impl->db;
    r = m_store.begin();
    if (!r.ok())
        return m_lastError = r;
    m_store.noteWritten(m_id);
    Record rec = m_impl->buffer;
    bool stored = false;
    if (m_impl->reservedRow != 0 && rec.rowId() == m_impl->reservedRow) {
        r = updateRow(db, m_store.m_impl->statements, rec, stored);
    } else {
        rec.setRowId(0);
        if (const KeyDef* key = def().autoNumberKey()) {
            const int field = def().fieldIndex(key->components.first());
            if (rec.value(field).toInt() == 0) {
                qint64 number = 0;
                r = nextNumber(db, m_store.m_impl->statements, m_id, number);
                rec.setValue(field, number);
            }
        }
    }
    if (r.ok() && !stored)
        r = insertRow(db, m_store.m_impl->statements, rec);
    if (!r.ok()) {
        if (r.code == ErrorCode::DuplicateKey)
            r.text = conflictingKey(db, rec);
        m_store.rollback();
        return m_lastError = r;
    }
    r = m_store.commit();
    if (!r.ok())
        return m_lastError = r;
    m_impl->reservedRow = 0;
    m_impl->buffer = rec;
    m_impl->readCopy = rec;
    return m_lastError = Result::success();
}

Result TableManager::update() {
    Result r = open();
    if (!r.ok())
        return r;
    if (m_impl->readOnly)
        return m_lastError = readOnlyError();
    Record& buf = m_impl->buffer;
    if (buf.rowId() == 0)
        return m_lastError = Result::failure(ErrorCode::NotFound, QStringLiteral("the record was not read"));
    sqlite3* db = m_store.m_impl->db;
    r = m_store.begin();
    if (!r.ok())
        return m_lastError = r;
    Record stored(m_id);
    bool found = false;
    r = readRow(db, m_store.m_impl->statements, m_id, buf.rowId(), stored, found);
    if (r.ok() && !found)
        r = Result::failure(ErrorCode::NotFound, QStringLiteral("the record was deleted by another"));
    if (r.ok() && m_impl->readCopy.rowId() == buf.rowId() && stored != m_impl->readCopy) {
        m_store.rollback();
        m_impl->buffer = stored;
        m_impl->readCopy = stored;
        return m_lastError = Result::failure(ErrorCode::ChangedByAnother,
                                             QStringLiteral("the record was changed by another"));
    }
    bool changed = false;
    m_store.noteWritten(m_id);
    if (r.ok())
        r = updateRow(db, m_store.m_impl->statements, buf, changed);
    if (!r.ok()) {
        if (r.code == ErrorCode::DuplicateKey)
            r.text = conflictingKey(db, buf);
        m_store.rollback();
        return m_lastError = r;
    }
    r = m_store.commit();
    if (!r.ok())
        return m_lastError = r;
    m_impl->readCopy = buf;
    return m_lastError = Result::success();
}

Result TableManager::remove() {
    Result r = open();
    if (!r.ok())
        return r;
    if (m_impl->readOnly)
        return m_lastError = readOnlyError();
    const qint64 row = m_impl->buffer.rowId();
    if (row == 0)
        return m_lastError = Result::failure(ErrorCode::NotFound, QStringLiteral("the record was not read"));
    r = deleteRow(row);
    if (!r.ok())
        return m_lastError = r;
    if (m_impl->reservedRow == row)
        m_impl->reservedRow = 0;
    m_impl->buffer.setRowId(0);
    m_impl->readCopy.setRowId(0);
    return m_lastError = Result::success();
}

} // namespace nm::store
