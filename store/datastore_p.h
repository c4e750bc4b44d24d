#pragma once
// Inside of a session's data store, shared by the store's own classes.

#include "datastore.h"
#include "relationmanager.h"
#include "sqlutil.h"
#include "tablemanager.h"

#include <QSet>

#include <array>
#include <memory>

namespace nm::store {

struct DataStore::Impl {
    sqlite3* db = nullptr;
    sql::StatementCache statements; // the record operations' statements, reused
    std::array<std::unique_ptr<TableManager>, kTableCount> tables;
    std::array<std::unique_ptr<RelationManager>, kTableCount> relations;
    UpgradeProgress progress;
    int busyTimeoutMs = 5000;
    int lockRecoveryMs = 10000;
    int txDepth = 0;
    bool txAborted = false;
    QSet<int> written; // tables written by the running transaction
};

} // namespace nm::store
