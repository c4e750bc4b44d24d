// The open policy on damaged, locked, read-only and older files.

#include "fixture.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

using namespace nm::store;
using namespace nm::store::test;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

const char* kPressOk = "  Press OK to end this application";

class OpenPolicy : public StoreTest {
protected:
    // A food file with `count` foods holding notes, written and closed.
    void makeFoods(int count) {
        ScriptedMessenger quiet;
        auto st = session(&quiet);
        ASSERT_TRUE(st->begin().ok() || st->table(TableId::Food).open().ok());
        st->rollback();
        ASSERT_TRUE(st->table(TableId::Food).open().ok());
        ASSERT_TRUE(st->begin().ok());
        TableManager& food = st->table(TableId::Food);
        for (int i = 0; i < count; ++i) {
            food.buffer().clear();
            food.buffer().setText(s("FOO:NAME"),
                                  QStringLiteral("Food %1").arg(count - i, 4, 10, QLatin1Char('0')));
            food.buffer().setText(s("FOO:NOTES"), QString(200, QLatin1Char('n')));
            ASSERT_TRUE(food.insert().ok());
        }
        ASSERT_TRUE(st->commit().ok());
    }

    // Every food still there, read straight from the file without any key.
    int countFoodsRaw(const QString& file = s("FOOD.TPS")) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(path(file)).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        int n = -1;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM Food NOT INDEXED", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        sqlite3_close(db);
        return n;
    }

    int countFoodsByName(DataStore& st) {
        View v(st, TableId::Food, s("FOO:KEYNAME"));
        QVector<ViewRow> rows;
        if (!v.load(rows).ok())
            return -1;
        return static_cast<int>(rows.size());
    }

    QByteArray bytes(const QString& name) {
        QFile f(path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void write(const QString& name, const QByteArray& data) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }

    qint64 rootPage(const char* index) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path(s("FOOD.TPS"))).constData(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE name = ?1", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, index, -1, SQLITE_STATIC);
        qint64 page = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
        sqlite3_finalize(st);
        sqlite3_close(db);
        return page;
    }

    // Runs the helper as another user when we are root, since root ignores file permissions.
    QStringList runHelperAsUser(const QStringList& args) {
        QProcess p;
        if (geteuid() == 0) {
            p.start(s("setpriv"), QStringList{s("--reuid=65534"), s("--regid=65534"), s("--clear-groups"),
                                              QString::fromUtf8(STORE_HELPER)} +
                                      args);
        } else {
            p.start(QString::fromUtf8(STORE_HELPER), args);
        }
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

} // namespace

TEST_F(OpenPolicy, RandomBytesAreRefusedAsNoDatabaseAndLeftAlone) {
    QByteArray junk(8192, '\0');
    for (char& c : junk)
        c = static_cast<char>(QRandomGenerator::global()->generate() & 0xFF);
    write(s("FOOD.TPS"), junk);
    auto st = session();
    const Result r = st->table(TableId::Food).open();
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(st->failed());
    ASSERT_EQ(messenger.messages.size(), 1) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).kind, s("fatal"));
    EXPECT_EQ(messenger.messages.at(0).title, s("File Access Error"));
    EXPECT_EQ(messenger.messages.at(0).text,
              s("File FOOD.TPS could not be opened.  Error: file is not a database.") +
                  QLatin1String(kPressOk));
    EXPECT_EQ(bytes(s("FOOD.TPS")), junk);
    // After a fatal report no other table opens either.
    EXPECT_FALSE(st->table(TableId::Group).open().ok());
}

TEST_F(OpenPolicy, AnEmptyFileIsAnEmptyTable) {
    write(s("FOOD.TPS"), {});
    auto st = session();
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.titles().toStdString();
    EXPECT_EQ(StoreTest::addFood(*st, s("Apple")), 1);
}

TEST_F(OpenPolicy, TruncatedFileIsReportedAfterAFailedRebuildAndLeftAsItWas) {
    makeFoods(300);
    const QByteArray full = bytes(s("FOOD.TPS"));
    const QByteArray cut = full.left(full.size() / 2);
    write(s("FOOD.TPS"), cut);
    auto st = session();
    EXPECT_FALSE(st->table(TableId::Food).open().ok());
    ASSERT_EQ(messenger.messages.size(), 2) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).title, s("Invalid Key"));
    EXPECT_EQ(messenger.messages.at(0).text, s("FOOD.TPS key file is invalid. Key must be rebuilt."));
    EXPECT_EQ(messenger.messages.at(1).kind, s("fatal"));
    EXPECT_EQ(messenger.messages.at(1).title, s("Key was not built"));
    EXPECT_EQ(messenger.messages.at(1).text,
              s("Error: (database disk image is malformed) repairing key for FOOD.TPS.") +
                  QLatin1String(kPressOk));
    EXPECT_EQ(bytes(s("FOOD.TPS")), cut);
    EXPECT_TRUE(st->failed());
}

TEST_F(OpenPolicy, KeyThatNoLongerMatchesItsRecordsIsRebuilt) {
    makeFoods(50);
    {
        // Another program wrote records with its own idea of the key order.
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path(s("FOOD.TPS"))).constData(), &db);
        sqlite3_create_collation(db, "UNICODE_NOCASE", SQLITE_UTF8, nullptr,
                                 [](void*, int n1, const void* a, int n2, const void* b) {
                                     return -std::memcmp(a, b, static_cast<size_t>(std::min(n1, n2)));
                                 });
        ASSERT_EQ(sqlite3_exec(
                      db, "INSERT INTO Food (KEYIDFOOD, NAME) VALUES (1001, 'Zucchini'), (1002, 'Aubergine')",
                      nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    auto st = session();
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    ASSERT_EQ(messenger.messages.size(), 1) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).kind, s("notice"));
    EXPECT_EQ(messenger.messages.at(0).title, s("Invalid Key"));
    EXPECT_EQ(messenger.messages.at(0).text, s("FOOD.TPS key file is invalid. Key must be rebuilt."));
    EXPECT_EQ(countFoodsByName(*st), 52);
    EXPECT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("aubergine")}).ok());
    EXPECT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("ZUCCHINI")}).ok());
    // Repaired in place: no file had to be put aside.
    EXPECT_FALSE(QFileInfo::exists(path(s("FOOD.TPS.damaged"))));
}

TEST_F(OpenPolicy, BrokenKeyPageIsRepairedByCopyingTheRecordsIntoAFreshFile) {
    makeFoods(300);
    const qint64 page = rootPage("FOO_KEYNAME");
    ASSERT_GT(page, 1);
    QByteArray data = bytes(s("FOOD.TPS"));
    const qsizetype at = (page - 1) * 4096;
    for (qsizetype i = at; i < at + 4096; ++i)
        data[i] = static_cast<char>(0xA5);
    write(s("FOOD.TPS"), data);
    const QByteArray damaged = data;

    auto st = session();
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    ASSERT_EQ(messenger.messages.size(), 1) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).title, s("Invalid Key"));
    EXPECT_EQ(countFoodsByName(*st), 300);
    EXPECT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("food 0123")}).ok());
    EXPECT_EQ(st->buffer(TableId::Food).text(s("FOO:NOTES")), QString(200, QLatin1Char('n')));
    // The damaged file is kept aside, byte for byte.
    EXPECT_EQ(bytes(s("FOOD.TPS.damaged")), damaged);
    EXPECT_EQ(countFoodsRaw(), 300);
    EXPECT_EQ(StoreTest::addFood(*st, s("New")), 301);
}

TEST_F(OpenPolicy, ReadOnlyFileOpensReadOnlyAfterTheNotice) {
    makeFoods(5);
    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path(s("FOOD.TPS"))).constData(), 0444), 0);
    const QStringList out = runHelperAsUser({s("open"), dir()});
    EXPECT_EQ(out, (QStringList{
                       s("notice|Access Denied|Could not get write access to FOOD.TPS so trying read-only."),
                       s("result|ok|read-only|")}));
    EXPECT_EQ(countFoodsRaw(), 5);
}

TEST_F(OpenPolicy, ReadOnlyDirectoryCannotCreateAMissingFile) {
    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0555), 0);
    const QStringList out = runHelperAsUser({s("open"), dir()});
    ASSERT_EQ(out.size(), 2) << out.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(out.at(0),
              s("fatal|File Creation Error|Error: (unable to open database file) creating FOOD.TPS."));
    EXPECT_TRUE(out.at(1).startsWith(s("result|failed|")));
    EXPECT_FALSE(QFileInfo::exists(path(s("FOOD.TPS"))));
}

TEST_F(OpenPolicy, ReadOnlyDirectoryOpensAnExistingFileReadOnly) {
    makeFoods(5);
    ASSERT_EQ(::chmod(QFile::encodeName(path(s("FOOD.TPS"))).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0555), 0);
    const QStringList out = runHelperAsUser({s("open"), dir()});
    EXPECT_EQ(out, (QStringList{
                       s("notice|Access Denied|Could not get write access to FOOD.TPS so trying read-only."),
                       s("result|ok|read-only|")}));
    ::chmod(QFile::encodeName(dir()).constData(), 0755);
    EXPECT_EQ(countFoodsRaw(), 5);
}

TEST_F(OpenPolicy, FileHeldInAnExclusiveTransactionByAnotherProcess) {
    makeFoods(5);
    QProcess holder;
    holder.start(QString::fromUtf8(STORE_HELPER), {s("lock"), dir(), s("FOOD.TPS"), s("1500")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("locked"));

    auto st = session();
    st->setBusyTimeout(100);
    st->setLockRecoveryTime(300);
    EXPECT_FALSE(st->table(TableId::Food).open().ok());
    ASSERT_EQ(messenger.messages.size(), 2) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).title, s("Access Denied"));
    EXPECT_EQ(messenger.messages.at(0).text,
              s("Could not get write access to FOOD.TPS so trying read-only."));
    EXPECT_EQ(messenger.messages.at(1).title, s("File Access Error"));
    EXPECT_EQ(messenger.messages.at(1).text,
              s("File FOOD.TPS could not be opened.  Error: database is locked.") + QLatin1String(kPressOk));
    holder.waitForFinished(10000);
    EXPECT_EQ(countFoodsRaw(), 5);
}

TEST_F(OpenPolicy, LockRecoveryWaitsOutALockThatIsReleased) {
    makeFoods(5);
    QProcess holder;
    holder.start(QString::fromUtf8(STORE_HELPER), {s("lock"), dir(), s("FOOD.TPS"), s("600")});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    auto st = session();
    st->setBusyTimeout(50);
    st->setLockRecoveryTime(10000);
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.titles().toStdString();
    EXPECT_FALSE(st->table(TableId::Food).readOnly());
    holder.waitForFinished(10000);
    EXPECT_EQ(countFoodsByName(*st), 5);
}
