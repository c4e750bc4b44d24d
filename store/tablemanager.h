#pragma once
// A table manager: the table's file, record buffer, keys and open policy; numbering of new records.

#include "record.h"
#include "result.h"
#include "tables.h"

namespace nm::store {

class DataStore;

class TableManager {
public:
    TableManager(DataStore& store, TableId id);
    ~TableManager();

    TableId id() const { return m_id; }
    const TableDef& def() const { return tableDef(m_id); }
    Record& buffer();
    bool isOpen() const;
    bool readOnly() const;

    // Open policy: two passes; create when missing, lock recovery then read-only after "Access Denied",
    // rebuild damaged keys after "Invalid Key"; fatal reports through the messenger. Opening twice is
    // a no-op.
    Result open();

    // Primes the buffer for a new record: every field cleared, the auto-number taken and the blank record
    // added at once to reserve it (retried when another session or program took it; after repeated
    // failure the "Auto Increment Error" question).
    Result primeAutoInc();
    // Releases the number reserved by primeAutoInc when the insert is cancelled.
    Result cancelAutoInc();

    // Reads the first record whose key equals the given component values into the buffer.
    Result fetch(const QString& keyName, const QVariantList& values);
    Result fetchRow(qint64 rowId);

    // Stores the buffer: insert overwrites a reserved record; "Duplicate Key Error" carries the key's
    // description. Update fails with ChangedByAnother when the stored record differs from the one read,
    // and then leaves the stored version in the buffer.
    Result insert();
    Result update();
    Result remove();

    // The buffer as last read or stored, against which update detects changes by others.
    const Record& readCopy() const;
    // Puts a record read elsewhere (a view row) into the buffer as the copy read, as fetchRow would.
    void setBuffer(const Record& record);
    // Reads the stored record at the row into `out` without touching the buffer.
    Result readStored(qint64 rowId, Record& out);

    // Set when a relation manager readied this table; its file is opened when first used.
    bool readied() const;
    void setReadied();

    Result lastError() const { return m_lastError; }

private:
    Result deleteRow(qint64 rowId);
    struct Impl;
    DataStore& m_store;
    TableId m_id;
    Result m_lastError;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace nm::store
