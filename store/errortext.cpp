#include "errortext.h"

namespace nm::store {

ErrorMessage describe(const Result& result) {
    switch (result.code) {
    case ErrorCode::DuplicateKey:
        return {
            QStringLiteral("Duplicate Key Error"),
            QStringLiteral("Adding this record creates a duplicate entry for the key: %1").arg(result.text)};
    case ErrorCode::RestrictedDelete:
        return {QStringLiteral("Referential Integrity Delete Error"),
                QStringLiteral(
                    "This record is referenced from the file %1. This record cannot be deleted while these "
                    "references exist.")
                    .arg(result.text)};
    default:
        return {QString(), result.text};
    }
}

} // namespace nm::store
