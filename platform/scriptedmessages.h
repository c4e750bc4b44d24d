#pragma once
// A message service for tests: records every message and answers questions from a script.

#include "messages.h"

#include <QList>
#include <QString>

namespace nm::platform {

class ScriptedMessages : public MessageService {
public:
    enum class Kind { Notice, YesNo, YesNoCancel, Fatal };
    struct Entry {
        Kind kind;
        QString title;
        QString text;
        QString procedure;   // the procedure registered when the message was raised
    };

    // Answers handed out in order; when the script runs dry, questions get their default (YesNoCancel)
    // or No (YesNo).
    void script(QList<Answer> answers) { m_answers.append(answers); }

    void notice(const QString& title, const QString& text) override { record(Kind::Notice, title, text); }
    bool askYesNo(const QString& title, const QString& text) override {
        record(Kind::YesNo, title, text);
        return next(Answer::No) == Answer::Yes;
    }
    Answer askYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer) override {
        record(Kind::YesNoCancel, title, text);
        return next(defaultAnswer);
    }
    void fatal(const QString& title, const QString& text) override {
        record(Kind::Fatal, title, text + QStringLiteral("  Press OK to end this application"));
    }

    const QList<Entry>& entries() const { return m_entries; }
    QStringList titles() const {
        QStringList t;
        for (const Entry& e : m_entries)
            t << e.title;
        return t;
    }
    void clearEntries() { m_entries.clear(); }
    int pendingAnswers() const { return int(m_answers.size()); }

private:
    void record(Kind kind, const QString& title, const QString& text) {
        m_entries.append({kind, title, text, currentProcedure()});
    }
    Answer next(Answer fallback) { return m_answers.isEmpty() ? fallback : m_answers.takeFirst(); }

    QList<Entry> m_entries;
    QList<Answer> m_answers;
};

}  // namespace nm::platform
