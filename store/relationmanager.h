#pragma once
// A relation manager: a table's relations to others and the referential rules applied when a record
// is inserted, changed or deleted, inside one transaction across the attached files.

#include "result.h"
#include "tables.h"

namespace nm::store {

class DataStore;
class TableManager;

enum class RelationKind { ParentSide, ChildSide, Lookup, LookupTarget };

struct Relation {
    TableId other;
    RelationKind kind;
    QString thisField;    // linking field in this table
    QString otherField;   // linking field in the other table
    QString otherKey;     // key of the other table used to find related records
    bool cascadeOnChange; // parent side only
    bool restrictOnDelete;
};

class RelationManager {
public:
    RelationManager(DataStore& store, TableManager& table);

    TableManager& table() { return m_table; }
    const QList<Relation>& relations() const;

    // Opens the table and readies every table connected to it, each once.
    Result open();

    Result insert();  // the buffer through the table manager
    // Updates the buffer; a changed linking field cascades to the children in the same transaction.
    Result update();
    // Deletes the buffer's record unless a restrict rule finds children: then RestrictedDelete with
    // the child table's label as text, and nothing changed.
    Result remove();

private:
    DataStore& m_store;
    TableManager& m_table;
};

}  // namespace nm::store
