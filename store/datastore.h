#pragma once
// The data store of one session: one SQLite connection with the six table files attached, six table
// managers and six relation managers, each with its own record buffer. Sessions never share any of it;
// only the files on disk are shared.

#include "messenger.h"
#include "record.h"
#include "result.h"
#include "tables.h"

#include <QString>
#include <functional>
#include <memory>

struct sqlite3;

namespace nm::store {

class TableManager;
class RelationManager;

// Reports the structure upgrade's progress: the file being written and the fraction done (0..1).
using UpgradeProgress = std::function<void(const QString& fileName, double fraction)>;

class DataStore {
public:
    // Data-store set-up: the managers of the six tables, relation managers initialised with their
    // relations. Files are opened on first use, in `directory` (the working directory by default).
    explicit DataStore(Messenger& messenger, QString directory = QString());
    // Data-store tear-down: managers destroyed, tables closed.
    ~DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    TableManager& table(TableId id);
    RelationManager& relation(TableId id);
    Record& buffer(TableId id);

    Messenger& messenger() { return m_messenger; }
    QString directory() const { return m_directory; }
    QString filePath(TableId id) const;

    // The connection, for the store's own classes and views; no window touches it.
    sqlite3* connection();
    void setUpgradeProgress(UpgradeProgress progress);

    // Set once a fatal open failure was reported: no window may work on a partly opened set.
    bool failed() const { return m_failed; }

    // One transaction across the attached files. Nested calls join the outer transaction; when an inner
    // one is rolled back, the outer commit fails and undoes everything. Tables must be opened before.
    Result begin();
    Result commit();
    void rollback();
    bool inTransaction() const;

    // How long a statement waits for another session's or program's lock, and how long the open policy's
    // lock recovery waits before a lock counts as held (10 seconds by default).
    void setBusyTimeout(int milliseconds);
    void setLockRecoveryTime(int milliseconds);
    int busyTimeout() const;
    int lockRecoveryTime() const;

    // Opens the table through its relation manager (readying the connected tables) and reports whether
    // it opened: what a window does when it starts.
    bool openTable(TableId id);

private:
    friend class TableManager;
    friend class RelationManager;
    // Records that the running transaction writes the table's file. Once committed, the file's key check
    // stays valid: only changes made by others call for checking it again.
    void noteWritten(TableId id);
    struct Impl;
    Messenger& m_messenger;
    QString m_directory;
    bool m_failed = false;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace nm::store
