// A second copy of the program, for the store tests: runs one store operation in its own process and
// prints what happened, one line per message or result.

#include "store/datastore.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QThread>
#include <sqlite3.h>

using namespace nm::store;

namespace {

class PrintingMessenger : public Messenger {
public:
    void notice(const QString& title, const QString& text) override { print("notice", title, text); }
    bool askYesNo(const QString& title, const QString& text) override {
        print("question", title, text);
        return false;
    }
    void fatal(const QString& title, const QString& text) override { print("fatal", title, text); }

private:
    static void print(const char* kind, const QString& title, const QString& text) {
        QString t = text;
        t.replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::printf("%s|%s|%s\n", kind, title.toUtf8().constData(), t.toUtf8().constData());
        std::fflush(stdout);
    }
};

void out(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: store_helper <command> <directory> ...\n");
        return 2;
    }
    const QString command = args.at(1);
    if (command == QLatin1String("lock")) {
        // lock <dir> <file> <ms>: holds the file in an exclusive transaction for a while.
        sqlite3* db = nullptr;
        const QString file = QDir(args.at(2)).filePath(args.at(3));
        if (sqlite3_open(QFile::encodeName(file).constData(), &db) != SQLITE_OK ||
            sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
            out(QStringLiteral("error|%1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
            return 1;
        }
        out(QStringLiteral("locked"));
        QThread::msleep(static_cast<unsigned long>(args.at(4).toInt()));
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return 0;
    }
    PrintingMessenger messenger;
    DataStore store(messenger, args.at(2));
    if (command == QLatin1String("open")) {
        // open <dir>: opens the food table and reports how.
        const Result r = store.table(TableId::Food).open();
        out(QStringLiteral("result|%1|%2|%3")
                .arg(r.ok() ? QStringLiteral("ok") : QStringLiteral("failed"))
                .arg(store.table(TableId::Food).readOnly() ? QStringLiteral("read-only")
                                                           : QStringLiteral("read-write"))
                .arg(r.text));
        return r.ok() ? 0 : 1;
    }
    if (command == QLatin1String("autonumber")) {
        // autonumber <dir> <count>: adds foods one at a time as a form would, printing each new ID.
        TableManager& food = store.table(TableId::Food);
        const int count = args.at(3).toInt();
        for (int i = 0; i < count; ++i) {
            Result r = food.primeAutoInc();
            if (r.ok()) {
                food.buffer().setText(
                    QStringLiteral("FOO:NAME"),
                    QStringLiteral("food %1 of %2").arg(i).arg(QCoreApplication::applicationPid()));
                r = food.insert();
            }
            if (!r.ok()) {
                out(QStringLiteral("error|%1").arg(r.text));
                return 1;
            }
            out(QStringLiteral("id|%1").arg(food.buffer().integer(QStringLiteral("FOO:KEYIDFOOD"))));
        }
        return 0;
    }
    if (command == QLatin1String("cascade")) {
        // cascade <dir>: changes the ID of group 1.. back and forth for ever, each change cascading to
        // its foods and time entries; the test kills it midway.
        TableManager& group = store.table(TableId::Group);
        if (!store.relation(TableId::Group).open().ok())
            return 1;
        out(QStringLiteral("running"));
        for (qint64 n = 0;; ++n) {
            if (!group.fetch(QStringLiteral("GRP:KEYNAME"), {QStringLiteral("Moving")}).ok())
                return 1;
            const qint32 id = group.buffer().integer(QStringLiteral("GRP:KEYIDGROUP"));
            group.buffer().setInteger(QStringLiteral("GRP:KEYIDGROUP"), id + 1);
            const Result r = store.relation(TableId::Group).update();
            if (!r.ok()) {
                out(QStringLiteral("error|%1").arg(r.text));
                return 1;
            }
            if (n == 0)
                out(QStringLiteral("changed"));
        }
    }
    if (command == QLatin1String("setnotes")) {
        // setnotes <dir> <food id> <text>: another copy of the program changes a food.
        TableManager& food = store.table(TableId::Food);
        Result r = food.fetch(QStringLiteral("FOO:KEYID"), {args.at(3).toInt()});
        if (r.ok()) {
            food.buffer().setText(QStringLiteral("FOO:NOTES"), args.at(4));
            r = food.update();
        }
        out(QStringLiteral("result|%1").arg(r.ok() ? QStringLiteral("ok") : r.text));
        return r.ok() ? 0 : 1;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
