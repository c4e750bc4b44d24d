// A second copy of the program, for the store tests: runs one store operation in its own process and
// prints what happened, one line per message or result.

#include "store/datastore.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: store_helper <command> <directory> ...\n");
        return 2;
    }
    const QString command = args.at(1);
    PrintingMessenger messenger;
    DataStore store(messenger, args.at(2));
    if (command == QLatin1String("open")) {
        // open <dir>: opens the food table and reports how.
        const Result r = store.table(TableId::Food).open();
        out(QStringLiteral("result|%1|%2|%3")
                .arg(r.ok() ? QStringLiteral("ok") : QStringLiteral("failed"))
                .arg(store.table(TableId::Food).readOnly() ? QStringLiteral("read-only") : QStringLiteral("read-write"))
                .arg(r.text));
        return r.ok() ? 0 : 1;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
