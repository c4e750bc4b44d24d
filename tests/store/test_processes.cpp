// Several copies of the program on the same files, and a copy killed in the middle of a change.

#include "fixture.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>

#include <cstring>

using namespace nm::store;
using namespace nm::store::test;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

class Processes : public StoreTest {
protected:
    static QString helper() { return QString::fromUtf8(STORE_HELPER); }

    QStringList allFieldValues(DataStore& st, TableId id, const char* key, const char* field) {
        View v(st, id, QLatin1String(key));
        QVector<ViewRow> rows;
        EXPECT_TRUE(v.load(rows).ok());
        QStringList out;
        for (const ViewRow& r : rows)
            out << QString::number(r.primary.integer(QLatin1String(field)));
        return out;
    }

    bool fileChecksOut(const QString& file) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path(file)).constData(), &db);
        sqlite3_create_collation(db, "UNICODE_NOCASE", SQLITE_UTF8, nullptr,
                                 [](void*, int n1, const void* a, int n2, const void* b) {
                                     const int c = std::memcmp(a, b, static_cast<size_t>(std::min(n1, n2)));
                                     return c != 0 ? c : n1 - n2;
                                 });
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr);
        const bool ok = sqlite3_step(st) == SQLITE_ROW &&
                        QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
        sqlite3_finalize(st);
        sqlite3_close(db);
        return ok;
    }
};

} // namespace

TEST_F(Processes, TwoCopiesTakingAutoNumbersAtOnceNeverShareOne) {
    {
        auto st = session();
        ASSERT_TRUE(st->table(TableId::Food).open().ok());
    }
    const int perCopy = 40;
    QProcess a, b;
    a.start(helper(), {s("autonumber"), dir(), QString::number(perCopy)});
    b.start(helper(), {s("autonumber"), dir(), QString::number(perCopy)});
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardError().toStdString();

    QSet<QString> given;
    int lines = 0;
    for (QProcess* p : {&a, &b}) {
        for (const QString& line :
             QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            ASSERT_TRUE(line.startsWith(s("id|"))) << line.toStdString();
            given.insert(line.mid(3));
            ++lines;
        }
    }
    EXPECT_EQ(lines, 2 * perCopy);
    EXPECT_EQ(given.size(), 2 * perCopy); // no number given twice

    auto st = session();
    const QStringList stored = allFieldValues(*st, TableId::Food, "FOO:KEYID", "FOO:KEYIDFOOD");
    EXPECT_EQ(stored.size(), 2 * perCopy);
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()), given);
}

TEST_F(Processes, ChangeByAnotherCopyIsDetectedAtUpdate) {
    auto st = session();
    StoreTest::addFood(*st, s("Apple"));
    TableManager& food = st->table(TableId::Food);
    ASSERT_TRUE(food.fetch(s("FOO:KEYID"), {1}).ok());

    QProcess other;
    other.start(helper(), {s("setnotes"), dir(), s("1"), s("from the other copy")});
    ASSERT_TRUE(other.waitForFinished(60000));
    ASSERT_EQ(other.readAllStandardOutput().trimmed(), QByteArray("result|ok"));

    food.buffer().setInteger(s("FOO:BLOODO"), 4);
    EXPECT_EQ(food.update().code, ErrorCode::ChangedByAnother);
    EXPECT_EQ(food.buffer().text(s("FOO:NOTES")), s("from the other copy"));
    EXPECT_EQ(food.buffer().integer(s("FOO:BLOODO")), 0);
}

TEST_F(Processes, CascadeKilledMidwayLeavesNothingHalfChanged) {
    const int foods = 30;
    const int entries = 5;
    {
        auto st = session();
        TableManager& g = st->table(TableId::Group);
        ASSERT_TRUE(g.primeAutoInc().ok());
        g.buffer().setText(s("GRP:TYPE"), s("Moving"));
        ASSERT_TRUE(g.insert().ok());
        for (int i = 0; i < foods; ++i)
            StoreTest::addFood(*st, QStringLiteral("Food %1").arg(i), 1);
        TableManager& ts = st->table(TableId::TimeSheet);
        for (int i = 0; i < entries; ++i) {
            ASSERT_TRUE(ts.primeAutoInc().ok());
            ts.buffer().setInteger(s("TIM:KEYIDTYPE"), 1);
            ASSERT_TRUE(ts.insert().ok());
        }
    }

    int lastGroup = 1;
    int interrupted = 0;
    const int kills = 50;
    for (int round = 0; round < kills; ++round) {
        QProcess p;
        p.start(helper(), {s("cascade"), dir()});
        ASSERT_TRUE(p.waitForReadyRead(30000));
        ASSERT_EQ(p.readLine().trimmed(), QByteArray("running"));
        // Once the first change is through, the copy changes on without pause: kill it at a random moment.
        while (!p.canReadLine())
            ASSERT_TRUE(p.waitForReadyRead(30000));
        ASSERT_EQ(p.readLine().trimmed(), QByteArray("changed"));
        QThread::msleep(QRandomGenerator::global()->bounded(80));
        p.kill();
        ASSERT_TRUE(p.waitForFinished(30000));
        // A journal left behind shows that the kill hit a change in the middle.
        for (const char* f : {"GROUP.TPS-journal", "FOOD.TPS-journal", "TIMESHEE.TPS-journal"}) {
            if (QFile::exists(path(QString::fromUtf8(f)))) {
                ++interrupted;
                break;
            }
        }

        ScriptedMessenger quiet;
        auto st = session(&quiet);
        TableManager& g = st->table(TableId::Group);
        ASSERT_TRUE(g.fetch(s("GRP:KEYNAME"), {s("Moving")}).ok());
        EXPECT_TRUE(quiet.messages.isEmpty()) << quiet.titles().toStdString();
        const int group = g.buffer().integer(s("GRP:KEYIDGROUP"));
        EXPECT_GT(group, lastGroup);
        lastGroup = group;
        const QString id = QString::number(group);
        EXPECT_EQ(allFieldValues(*st, TableId::Food, "FOO:KEYID", "FOO:KEYIDGROUP"), QStringList(foods, id))
            << "round " << round;
        EXPECT_EQ(allFieldValues(*st, TableId::TimeSheet, "TIM:KEYIDTIMESHEET", "TIM:KEYIDTYPE"),
                  QStringList(entries, id))
            << "round " << round;
        EXPECT_EQ(allFieldValues(*st, TableId::Group, "GRP:KEYID", "GRP:KEYIDGROUP"), QStringList{id});
        if (HasFailure())
            break;
    }
    for (const char* f : {"GROUP.TPS", "FOOD.TPS", "TIMESHEE.TPS"})
        EXPECT_TRUE(fileChecksOut(QString::fromUtf8(f))) << f;
    EXPECT_GT(interrupted, 0);
    std::fprintf(stderr, "cascade: %d kills, %d in the middle of a change, group id moved to %d\n", kills,
                 interrupted, lastGroup);
}
