#include "schema.h"

#include "record.h"
#include "sqlutil.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QUrl>
#include <sqlite3.h>

#include <cstdio>

namespace nm::store::schema {

namespace {

using sql::quoted;
using sql::Statement;

class Tx {
public:
    explicit Tx(sqlite3* db) : m_db(db) { m_rc = sql::exec(db, QStringLiteral("BEGIN IMMEDIATE")); }
    ~Tx() {
        if (m_rc == SQLITE_OK && !m_done && !sqlite3_get_autocommit(m_db))
            sql::exec(m_db, QStringLiteral("ROLLBACK"));
    }
    int beginCode() const { return m_rc; }
    int commit() {
        m_done = true;
        const int rc = sql::exec(m_db, QStringLiteral("COMMIT"));
        if (rc != SQLITE_OK && !sqlite3_get_autocommit(m_db))
            sql::exec(m_db, QStringLiteral("ROLLBACK"));
        return rc;
    }

private:
    sqlite3* m_db;
    int m_rc;
    bool m_done = false;
};

Result run(sqlite3* db, const QString& statement) {
    const int rc = sql::exec(db, statement);
    return rc == SQLITE_OK ? Result::success() : sql::failure(db, rc);
}

struct StoredColumn {
    QString name;
    QString type;
};

Result storedColumns(sqlite3* db, const QString& schemaName, const QString& table, QList<StoredColumn>& out) {
    out.clear();
    Statement st(db, QLatin1String("PRAGMA ") + schemaName + QLatin1String(".table_info(") + quoted(table) +
                         QLatin1Char(')'));
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    int rc;
    while ((rc = st.step()) == SQLITE_ROW)
        out.append({st.text(1), st.text(2).toUpper()});
    return rc == SQLITE_DONE ? Result::success() : sql::failure(db, rc);
}

// The index definitions as SQLite stores them for a freshly created table, to compare stored ones with.
const QHash<QString, QString>& expectedIndexes(TableId id) {
    static QHash<int, QHash<QString, QString>> cache;
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    auto it = cache.find(static_cast<int>(id));
    if (it != cache.end())
        return it.value();
    QHash<QString, QString> result;
    sqlite3* mem = nullptr;
    sqlite3_open(":memory:", &mem);
    sql::registerCollation(mem);
    const TableDef& t = tableDef(id);
    sql::exec(mem, sql::createTableSql(t, QStringLiteral("main"), t.label));
    for (const KeyDef& k : t.keys)
        sql::exec(mem, sql::createIndexSql(t, k, QStringLiteral("main")));
    {
        Statement st(mem, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index'"));
        while (st.step() == SQLITE_ROW)
            result.insert(st.text(0), st.text(1));
    }
    sqlite3_close(mem);
    return cache.insert(static_cast<int>(id), result).value();
}

QByteArray signature(const QString& path) {
    QFileInfo info(path);
    QFile f(path);
    QByteArray header;
    if (f.open(QIODevice::ReadOnly))
        header = f.read(100);
    return QByteArray::number(info.size()) + '/' +
           QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + '/' + header.mid(24, 4).toHex();
}

QHash<QString, QByteArray>& checkedFiles() {
    static QHash<QString, QByteArray> files;
    return files;
}
QMutex& checkedMutex() {
    static QMutex m;
    return m;
}

QString canonical(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
}

Result integrity(sqlite3* db, const QString& schemaName, bool& ok) {
    QVariant v;
    Result r =
        sql::scalar(db, QLatin1String("PRAGMA ") + schemaName + QLatin1String(".integrity_check(1)"), v);
    if (!r.ok()) {
        ok = false;
        if (r.code == ErrorCode::AccessDenied)
            return r;
        return Result::success(); // a check that cannot even run found damage
    }
    ok = v.toString() == QLatin1String("ok");
    return Result::success();
}

Result createIndexes(sqlite3* db, const TableDef& t, const QString& schemaName) {
    for (const KeyDef& k : t.keys) {
        Result r = run(db, sql::createIndexSql(t, k, schemaName));
        if (!r.ok())
            return r;
    }
    return Result::success();
}

QString freeAsideName(const QString& path) {
    QString aside = path + QLatin1String(".damaged");
    for (int n = 2; QFile::exists(aside); ++n)
        aside = path + QLatin1String(".damaged") + QString::number(n);
    return aside;
}

bool renameFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

Result attach(sqlite3* db, const QString& path, const QString& schemaName, OpenMode mode) {
    const char* m = mode == OpenMode::ReadOnly ? "ro" : (mode == OpenMode::ReadWrite ? "rw" : "rwc");
    const QString uri =
        QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) + QLatin1String("?mode=") + QLatin1String(m);
    Statement st(db, QLatin1String("ATTACH DATABASE ?1 AS ") + schemaName);
    if (!st.ok())
        return sql::failure(db, st.prepareCode());
    st.bind(1, uri);
    const int rc = st.step();
    if (rc != SQLITE_DONE) {
        // The connection's message would name the URI; the code's own text reads better in a message.
        Result r = sql::failure(db, rc);
        if (rc == SQLITE_CANTOPEN || (rc & 0xFF) == SQLITE_CANTOPEN)
            r.text = QString::fromUtf8(sqlite3_errstr(rc));
        return r;
    }
    return Result::success();
}

void detach(sqlite3* db, const QString& schemaName) {
    sql::exec(db, QLatin1String("DETACH DATABASE ") + schemaName);
}

Result inspect(sqlite3* db, TableId id, Layout& layout) {
    const TableDef& t = tableDef(id);
    const QString s = sql::schemaName(id);
    QList<StoredColumn> cols;
    Result r = storedColumns(db, s, t.label, cols);
    if (!r.ok())
        return r;
    if (cols.isEmpty()) {
        QVariant n;
        r = sql::scalar(db, QLatin1String("SELECT count(*) FROM ") + s + QLatin1String(".sqlite_master"), n);
        if (!r.ok())
            return r;
        layout = n.toInt() == 0 ? Layout::Empty : Layout::Foreign;
        return Result::success();
    }
    layout = Layout::Current;
    if (cols.size() != t.fields.size()) {
        layout = Layout::Differs;
    } else {
        for (int i = 0; i < cols.size(); ++i) {
            const FieldDef& f = t.fields.at(i);
            if (cols.at(i).name != f.column() || cols.at(i).type != sql::columnType(f))
                layout = Layout::Differs;
        }
    }
    if (t.version > 0) {
        QVariant v;
        r = sql::scalar(db, QLatin1String("PRAGMA ") + s + QLatin1String(".user_version"), v);
        if (!r.ok())
            return r;
        if (v.toInt() != t.version)
            layout = Layout::Differs;
    }
    return Result::success();
}

Result create(sqlite3* db, TableId id, const QString& schemaName) {
    const TableDef& t = tableDef(id);
    Tx tx(db);
    if (tx.beginCode() != SQLITE_OK)
        return sql::failure(db, tx.beginCode());
    Result r = run(db, sql::createTableSql(t, schemaName, t.label));
    if (r.ok())
        r = createIndexes(db, t, schemaName);
    if (r.ok())
        r = run(db, QLatin1String("PRAGMA ") + schemaName + QLatin1String(".user_version = ") +
                        QString::number(t.version));
    if (!r.ok())
        return r;
    const int rc = tx.commit();
    return rc == SQLITE_OK ? Result::success() : sql::failure(db, rc);
}

Result checkKeys(sqlite3* db, TableId id, const QString& path, bool& valid) {
    const TableDef& t = tableDef(id);
    const QString s = sql::schemaName(id);
    valid = false;
    QHash<QString, QString> stored;
    {
        Statement st(db, QLatin1String("SELECT name, sql FROM ") + s +
                             QLatin1String(".sqlite_master WHERE type = 'index' AND tbl_name = ?1"));
        if (!st.ok())
            return sql::failure(db, st.prepareCode());
        st.bind(1, t.label);
        int rc;
        while ((rc = st.step()) == SQLITE_ROW)
            stored.insert(st.text(0), st.text(1));
        if (rc != SQLITE_DONE) {
            Result r = sql::failure(db, rc);
            return r.code == ErrorCode::AccessDenied ? r : Result::success();
        }
    }
    const QHash<QString, QString>& expected = expectedIndexes(id);
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        if (stored.value(it.key()) != it.value())
            return Result::success();
    }
    const QString key = canonical(path);
    {
        QMutexLocker lock(&checkedMutex());
        auto it = checkedFiles().find(key);
        if (it != checkedFiles().end() && it.value() == signature(path)) {
            valid = true;
            return Result::success();
        }
    }
    bool ok = false;
    Result r = integrity(db, s, ok);
    if (!r.ok())
        return r;
    valid = ok;
    if (ok)
        markChecked(path);
    return Result::success();
}

void markChecked(const QString& path) {
    QMutexLocker lock(&checkedMutex());
    checkedFiles().insert(canonical(path), signature(path));
}

Result upgrade(sqlite3* db, TableId id, const UpgradeProgress& progress) {
    const TableDef& t = tableDef(id);
    const QString s = sql::schemaName(id);
    const QString ref = sql::tableRef(id);
    const QString work = t.label + QLatin1String("_upgrade");
    QList<StoredColumn> cols;
    Result r = storedColumns(db, s, t.label, cols);
    if (!r.ok())
        return r;

    Tx tx(db);
    if (tx.beginCode() != SQLITE_OK)
        return sql::failure(db, tx.beginCode());
    QVariant total;
    r = sql::scalar(db, QLatin1String("SELECT count(*) FROM ") + ref + QLatin1String(" NOT INDEXED"), total);
    if (!r.ok())
        return r;
    r = run(db, QLatin1String("DROP TABLE IF EXISTS ") + s + QLatin1Char('.') + quoted(work));
    if (r.ok())
        r = run(db, sql::createTableSql(t, s, work));
    if (!r.ok())
        return r;

    QStringList select;
    for (const FieldDef& f : t.fields) {
        QString found;
        for (const StoredColumn& c : cols) {
            if (c.name.compare(f.column(), Qt::CaseInsensitive) == 0)
                found = quoted(c.name);
        }
        select << (found.isEmpty() ? QStringLiteral("NULL") : found);
    }
    QStringList marks;
    for (int i = 0; i <= t.fields.size(); ++i)
        marks << QStringLiteral("?");
    {
        Statement read(db, QLatin1String("SELECT rowid, ") + select.join(QLatin1String(", ")) +
                               QLatin1String(" FROM ") + ref + QLatin1String(" NOT INDEXED ORDER BY rowid"));
        Statement write(db, QLatin1String("INSERT INTO ") + s + QLatin1Char('.') + quoted(work) +
                                QLatin1String(" (rowid, ") + sql::columnList(t) +
                                QLatin1String(") VALUES (") + marks.join(QLatin1String(", ")) +
                                QLatin1Char(')'));
        if (!read.ok())
            return sql::failure(db, read.prepareCode());
        if (!write.ok())
            return sql::failure(db, write.prepareCode());
        const QString fileName = t.fileName;
        const double count = std::max<double>(1.0, total.toDouble());
        if (progress)
            progress(fileName, 0.0);
        qint64 done = 0;
        int rc;
        Record rec(id);
        while ((rc = read.step()) == SQLITE_ROW) {
            sql::readRecord(read, 1, rec);
            write.bind(1, read.int64(0));
            sql::bindRecord(write, rec, 2);
            const int wrc = write.step();
            if (wrc != SQLITE_DONE)
                return sql::failure(db, wrc);
            write.reset();
            if (++done % 512 == 0 && progress)
                progress(fileName, static_cast<double>(done) / count);
        }
        if (rc != SQLITE_DONE)
            return sql::failure(db, rc);
    }
    r = run(db, QLatin1String("DROP TABLE ") + ref);
    if (r.ok())
        r = run(db, QLatin1String("ALTER TABLE ") + s + QLatin1Char('.') + quoted(work) +
                        QLatin1String(" RENAME TO ") + quoted(t.label));
    if (r.ok())
        r = createIndexes(db, t, s);
    if (r.ok())
        r = run(db, QLatin1String("PRAGMA ") + s + QLatin1String(".user_version = ") +
                        QString::number(t.version));
    if (!r.ok())
        return r;
    const int rc = tx.commit();
    if (rc != SQLITE_OK)
        return sql::failure(db, rc);
    if (progress)
        progress(t.fileName, 1.0);
    return Result::success();
}

Result rebuild(sqlite3* db, TableId id, const QString& path) {
    const TableDef& t = tableDef(id);
    const QString s = sql::schemaName(id);
    Result r = attach(db, path, s, OpenMode::ReadWrite);
    if (!r.ok())
        return r;

    // First in place: build every key afresh from the records.
    {
        Tx tx(db);
        bool inPlace = tx.beginCode() == SQLITE_OK;
        for (const KeyDef& k : t.keys) {
            if (!inPlace)
                break;
            inPlace = run(db, QLatin1String("DROP INDEX IF EXISTS ") + s + QLatin1Char('.') +
                                  quoted(sql::indexName(k)))
                          .ok();
        }
        if (inPlace)
            inPlace = createIndexes(db, t, s).ok();
        if (inPlace)
            inPlace = tx.commit() == SQLITE_OK;
        if (inPlace) {
            bool ok = false;
            if (integrity(db, s, ok).ok() && ok) {
                detach(db, s);
                markChecked(path);
                return Result::success();
            }
        }
    }

    // A key page too damaged to be dropped: copy the records, read without any key, into a fresh file.
    const QString fresh = path + QLatin1String(".rebuild");
    QFile::remove(fresh);
    QFile::remove(fresh + QLatin1String("-journal"));
    const QString f = QStringLiteral("nm_rebuild");
    r = attach(db, fresh, f, OpenMode::Create);
    if (!r.ok()) {
        detach(db, s);
        return r;
    }
    auto cleanup = [&] {
        detach(db, f);
        detach(db, s);
        QFile::remove(fresh);
        QFile::remove(fresh + QLatin1String("-journal"));
    };
    {
        Tx tx(db);
        if (tx.beginCode() != SQLITE_OK) {
            r = sql::failure(db, tx.beginCode());
            cleanup();
            return r;
        }
        r = run(db, sql::createTableSql(t, f, t.label));
        if (r.ok())
            r = run(db, QLatin1String("INSERT INTO ") + f + QLatin1Char('.') + quoted(t.label) +
                            QLatin1String(" (rowid, ") + sql::columnList(t) +
                            QLatin1String(") SELECT rowid, ") + sql::columnList(t) + QLatin1String(" FROM ") +
                            sql::tableRef(id) + QLatin1String(" NOT INDEXED"));
        if (r.ok())
            r = createIndexes(db, t, f);
        if (r.ok())
            r = run(db, QLatin1String("PRAGMA ") + f + QLatin1String(".user_version = ") +
                            QString::number(t.version));
        if (r.ok()) {
            const int rc = tx.commit();
            if (rc != SQLITE_OK)
                r = sql::failure(db, rc);
        }
        if (!r.ok()) {
            cleanup();
            return r;
        }
    }
    bool ok = false;
    integrity(db, f, ok);
    detach(db, f);
    detach(db, s);
    if (!ok) {
        QFile::remove(fresh);
        return Result::failure(ErrorCode::RebuildFailed, QStringLiteral("the rebuilt keys do not check out"));
    }
    const QString aside = freeAsideName(path);
    if (!renameFile(path, aside)) {
        QFile::remove(fresh);
        return Result::failure(ErrorCode::RebuildFailed,
                               QStringLiteral("the damaged file could not be moved aside"));
    }
    const QString journal = path + QLatin1String("-journal");
    if (QFile::exists(journal))
        renameFile(journal, aside + QLatin1String("-journal"));
    if (!renameFile(fresh, path)) {
        renameFile(aside, path);
        return Result::failure(ErrorCode::RebuildFailed,
                               QStringLiteral("the rebuilt file could not be put in place"));
    }
    markChecked(path);
    return Result::success();
}

} // namespace nm::store::schema
