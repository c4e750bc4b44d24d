#pragma once
// Filter expressions of the lists, such as "(FOO:BloodA = 4 OR FOO:BloodA = 1) AND FOO:BloodO = 2":
// parsed into a tree over known field names and compiled to an SQL condition with bound parameters.
//
//   expression := term { OR term }        term := factor { AND factor }
//   factor     := "(" expression ")" | operand op operand
//   operand    := field | integer | 'text' | "text"      op := = <> < > <= >=
//
// Field names are case-insensitive ("FOO:BloodA" is FOO:BLOODA) and must belong to a table in scope.

#include "result.h"
#include "tables.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace nm::store {

struct FilterScope {
    TableId table;
    QString alias; // the table's alias in the query
};

// On success `sql` holds the condition (empty for an empty expression) and `params` its values, in
// order. On failure the result is BadExpression with a text that names what was refused.
Result compileFilter(const QString& expression, const QList<FilterScope>& scope, QString& sql,
                     QVariantList& params);

} // namespace nm::store
