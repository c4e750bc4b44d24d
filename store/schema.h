#pragma once
// Table files on disk: attaching, creating, checking the stored layout and keys, the structure upgrade
// and the key rebuild.

#include "datastore.h"
#include "result.h"
#include "tables.h"

struct sqlite3;

namespace nm::store::schema {

enum class OpenMode { ReadOnly, ReadWrite, Create };
Result attach(sqlite3* db, const QString& path, const QString& schemaName, OpenMode mode);
void detach(sqlite3* db, const QString& schemaName);

enum class Layout { Current, Empty, Differs, Foreign };
// Compares the stored table with the current layout and, for tables registered with the upgrade,
// its structure version.
Result inspect(sqlite3* db, TableId id, Layout& layout);
// Table, keys and version in one transaction; does nothing to what already exists.
Result create(sqlite3* db, TableId id, const QString& schemaName);
// Keys present as defined and consistent with the records. The full check runs once per file state and
// process; an unchanged file is not checked again.
Result checkKeys(sqlite3* db, TableId id, const QString& path, bool& valid);
void markChecked(const QString& path);
// Converts the stored table to the current layout in one transaction, keeping every record and every
// field that still exists.
Result upgrade(sqlite3* db, TableId id, const UpgradeProgress& progress);
// Rebuilds the keys of an attached file in place; when the damage is beyond that, copies the records
// into a fresh file and puts it in place of the damaged one, which is kept aside. Leaves the file
// detached.
Result rebuild(sqlite3* db, TableId id, const QString& path);

} // namespace nm::store::schema
