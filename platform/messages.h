#pragma once
// The message service: every notice, question and fatal message of the program goes through it, so
// tests can replace it with a scripted one that records the words and answers from a list.

#include "store/messenger.h"

#include <QString>
#include <QStringList>

namespace nm::platform {

enum class Answer { Ok, Yes, No, Cancel };

class MessageService : public store::Messenger {
public:
    // Notice: OK only. Questions: Yes/No, or Yes/No/Cancel with a default button.
    void notice(const QString& title, const QString& text) override = 0;
    bool askYesNo(const QString& title, const QString& text) override = 0;
    virtual Answer askYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer) = 0;
    // Adds "  Press OK to end this application" to the text; after OK the program ends non-zero.
    void fatal(const QString& title, const QString& text) override = 0;

    // The procedure name of the window that runs now; messages raised meanwhile name it.
    void registerProcedure(const QString& name) { m_procedures.append(name); }
    void unregisterProcedure(const QString& name) { m_procedures.removeOne(name); }
    QString currentProcedure() const { return m_procedures.isEmpty() ? QString() : m_procedures.last(); }

private:
    QStringList m_procedures;
};

}  // namespace nm::platform
