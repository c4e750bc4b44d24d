#pragma once
// The words the windows show for the store's refusals of a change.

#include "result.h"

#include <QString>

namespace nm::store {

struct ErrorMessage {
    QString title; // empty when the error has no message of its own here
    QString text;
};

// DuplicateKey: "Duplicate Key Error" naming the key's description; RestrictedDelete: "Referential
// Integrity Delete Error" naming the child table.
ErrorMessage describe(const Result& result);

} // namespace nm::store
