#pragma once
// Errors below the windows are returned, never shown: the window layer turns them into messages.

#include <QString>

namespace nm::store {

enum class ErrorCode {
    None = 0,
    DuplicateKey,       // text: the key's description
    NotFound,
    ChangedByAnother,   // update found the stored record changed since it was read
    RestrictedDelete,   // text: the child table's label
    AccessDenied,       // locked or read-only
    FileNotFound,
    CreateFailed,
    KeysInvalid,
    RebuildFailed,
    BadExpression,      // filter text refused; text names the offending part
    Cancelled,          // the user answered a question with No
    Other,
};

struct Result {
    ErrorCode code = ErrorCode::None;
    int sqliteCode = 0;
    QString text;     // the store's description of the error (%ErrorText, %Message or %File)

    bool ok() const { return code == ErrorCode::None; }
    explicit operator bool() const { return ok(); }
    static Result success() { return {}; }
    static Result failure(ErrorCode c, QString t, int sqlite = 0) { return {c, sqlite, std::move(t)}; }
};

}  // namespace nm::store
