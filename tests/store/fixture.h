#pragma once
// Store tests work on real files in a fresh temporary directory, with a message service that records
// every message and answers questions from a script.

#include "store/datastore.h"
#include "store/errortext.h"
#include "store/messenger.h"
#include "store/record.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <sqlite3.h>

#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace nm::store::test {

struct Message {
    QString kind; // notice, question, fatal
    QString title;
    QString text;
};

class ScriptedMessenger : public Messenger {
public:
    QList<Message> messages;
    QList<bool> answers; // for questions, in order; No when the script has run out

    void notice(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("notice"), title, text});
    }
    bool askYesNo(const QString& title, const QString& text) override {
        messages.append({QStringLiteral("question"), title, text});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void fatal(const QString& title, const QString& text) override {
        messages.append(
            {QStringLiteral("fatal"), title, text + QStringLiteral("  Press OK to end this application")});
    }
    QString titles() const {
        QStringList t;
        for (const Message& m : messages)
            t << m.title;
        return t.join(QLatin1String(" | "));
    }
};

class StoreTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    ScriptedMessenger messenger;

    QString dir() const { return tmp.path(); }
    QString path(const QString& name) const { return QDir(tmp.path()).filePath(name); }
    std::unique_ptr<DataStore> session(Messenger* m = nullptr) {
        return std::make_unique<DataStore>(m ? *m : messenger, tmp.path());
    }

    // Adds a food through a session's table manager and returns its ID.
    static qint32 addFood(DataStore& s, const QString& name, qint32 group = 0, int o = 0, int a = 0,
                          int b = 0, int ab = 0, const QString& groupName = QString()) {
        TableManager& t = s.table(TableId::Food);
        EXPECT_TRUE(t.primeAutoInc().ok());
        Record& r = t.buffer();
        r.setText(QStringLiteral("FOO:NAME"), name);
        r.setInteger(QStringLiteral("FOO:KEYIDGROUP"), group);
        r.setInteger(QStringLiteral("FOO:BLOODO"), o);
        r.setInteger(QStringLiteral("FOO:BLOODA"), a);
        r.setInteger(QStringLiteral("FOO:BLOODB"), b);
        r.setInteger(QStringLiteral("FOO:BLOODAB"), ab);
        r.setText(QStringLiteral("FOO:GROUPNAME"), groupName);
        const Result res = t.insert();
        EXPECT_TRUE(res.ok()) << res.text.toStdString();
        return r.integer(QStringLiteral("FOO:KEYIDFOOD"));
    }

    static qint32 addGroup(DataStore& s, const QString& type) {
        TableManager& t = s.table(TableId::Group);
        EXPECT_TRUE(t.primeAutoInc().ok());
        t.buffer().setText(QStringLiteral("GRP:TYPE"), type);
        EXPECT_TRUE(t.insert().ok());
        return t.buffer().integer(QStringLiteral("GRP:KEYIDGROUP"));
    }

    static QStringList names(const QVector<ViewRow>& rows,
                             const QString& field = QStringLiteral("FOO:NAME")) {
        QStringList n;
        for (const ViewRow& r : rows)
            n << r.primary.text(field);
        return n;
    }
};

} // namespace nm::store::test
