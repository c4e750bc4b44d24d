#pragma once
// What the store needs of the message service. The windows' message service implements it;
// tests use a scripted one.

#include <QString>

namespace nm::store {

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void notice(const QString& title, const QString& text) = 0;
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // Shows the text followed by "  Press OK to end this application"; the program then ends with a
    // non-zero status. Implementations used in tests record it and return.
    virtual void fatal(const QString& title, const QString& text) = 0;
};

}  // namespace nm::store
