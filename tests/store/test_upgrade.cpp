// Files of an older record layout are converted before use.

#include "fixture.h"
#include "store/upgrade.h"

#include <QFileInfo>

using namespace nm::store;
using namespace nm::store::test;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

class Upgrade : public StoreTest {
protected:
    // A food file as an older version wrote it: no group name, an extra flag, a text rating and its own
    // index.
    void writeOldFoodFile(int rows, bool duplicateId = false) {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(path(s("FOOD.TPS"))).constData(), &db);
        sqlite3_exec(db,
                     "PRAGMA user_version = 3;"
                     "CREATE TABLE Food (KEYIDFOOD INTEGER, KEYIDGROUP INTEGER, NAME TEXT, BLOODO INTEGER,"
                     " BLOODA TEXT, BLOODB INTEGER, BLOODAB INTEGER, OLDFLAG INTEGER, NOTES TEXT);"
                     "CREATE INDEX OLD_NAME ON Food (NAME COLLATE NOCASE);",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Food VALUES (?1, 2, ?2, 4, '1', 2, 0, 1, ?3)", -1, &st, nullptr);
        for (int i = 1; i <= rows; ++i) {
            sqlite3_bind_int(st, 1, duplicateId && i == rows ? 1 : i);
            const QByteArray name =
                (i == 1 ? QString(70, QLatin1Char('L')) : QStringLiteral("Old food %1").arg(i)).toUtf8();
            sqlite3_bind_text(st, 2, name.constData(), -1, SQLITE_TRANSIENT);
            const QByteArray notes = QStringLiteral("notes %1").arg(i).toUtf8();
            sqlite3_bind_text(st, 3, notes.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    QByteArray bytes(const QString& name) {
        QFile f(path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

} // namespace

TEST_F(Upgrade, OlderFoodFileIsConvertedKeepingEveryRecordAndField) {
    writeOldFoodFile(2000);
    auto st = session();
    QList<std::pair<QString, double>> progress;
    st->setUpgradeProgress([&](const QString& file, double fraction) { progress.append({file, fraction}); });
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.titles().toStdString();

    ASSERT_GE(progress.size(), 3);
    EXPECT_EQ(progress.first(), (std::pair<QString, double>{s("FOOD.TPS"), 0.0}));
    EXPECT_EQ(progress.last(), (std::pair<QString, double>{s("FOOD.TPS"), 1.0}));
    for (int i = 1; i < progress.size(); ++i)
        EXPECT_GE(progress.at(i).second, progress.at(i - 1).second);

    View v(*st, TableId::Food, s("FOO:KEYID"));
    QVector<ViewRow> rows;
    ASSERT_TRUE(v.load(rows).ok());
    ASSERT_EQ(rows.size(), 2000);
    const Record& first = rows.at(0).primary;
    EXPECT_EQ(first.text(s("FOO:NAME")), QString(60, QLatin1Char('L'))); // cut to the current width
    const Record& r = rows.at(41).primary;
    EXPECT_EQ(r.integer(s("FOO:KEYIDFOOD")), 42);
    EXPECT_EQ(r.integer(s("FOO:KEYIDGROUP")), 2);
    EXPECT_EQ(r.text(s("FOO:NAME")), s("Old food 42"));
    EXPECT_EQ(r.integer(s("FOO:BLOODO")), 4);
    EXPECT_EQ(r.integer(s("FOO:BLOODA")), 1); // stored as text before
    EXPECT_EQ(r.integer(s("FOO:BLOODB")), 2);
    EXPECT_EQ(r.text(s("FOO:GROUPNAME")), QString()); // a new field starts blank
    EXPECT_EQ(r.text(s("FOO:NOTES")), s("notes 42"));
    EXPECT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("OLD FOOD 7")}).ok());
    EXPECT_EQ(StoreTest::addFood(*st, s("New")), 2001);
    st.reset();

    // Converted once: the next session opens it as it is.
    auto again = session();
    bool called = false;
    again->setUpgradeProgress([&](const QString&, double) { called = true; });
    ASSERT_TRUE(again->table(TableId::Food).open().ok());
    EXPECT_FALSE(called);
}

TEST_F(Upgrade, FailedConversionLeavesTheFileUntouchedAndIsReported) {
    writeOldFoodFile(50, /*duplicateId=*/true); // two records with ID 1 cannot both go into the unique key
    const QByteArray before = bytes(s("FOOD.TPS"));
    auto st = session();
    EXPECT_FALSE(st->table(TableId::Food).open().ok());
    ASSERT_EQ(messenger.messages.size(), 1) << messenger.titles().toStdString();
    EXPECT_EQ(messenger.messages.at(0).kind, s("fatal"));
    EXPECT_EQ(messenger.messages.at(0).title, s("File Access Error"));
    EXPECT_TRUE(
        messenger.messages.at(0).text.startsWith(s("File FOOD.TPS could not be opened.  Error: conversion to "
                                                   "the current record layout failed, the file is "
                                                   "unchanged: UNIQUE constraint failed")))
        << messenger.messages.at(0).text.toStdString();
    st.reset();
    EXPECT_EQ(bytes(s("FOOD.TPS")), before);
    EXPECT_FALSE(QFileInfo::exists(path(s("FOOD.TPS-journal"))));
}

TEST_F(Upgrade, SameFieldsUnderAnOlderVersionNumberAreBroughtToTheCurrentVersion) {
    {
        auto st = session();
        StoreTest::addGroup(*st, s("Fruit"));
    }
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path(s("GROUP.TPS"))).constData(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 2", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    auto st = session();
    int calls = 0;
    st->setUpgradeProgress([&](const QString&, double) { ++calls; });
    ASSERT_TRUE(st->table(TableId::Group).fetch(s("GRP:KEYNAME"), {s("fruit")}).ok());
    EXPECT_GE(calls, 2);
    st.reset();
    sqlite3_open(QFile::encodeName(path(s("GROUP.TPS"))).constData(), &db);
    sqlite3_stmt* v = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &v, nullptr);
    ASSERT_EQ(sqlite3_step(v), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(v, 0), 3);
    sqlite3_finalize(v);
    sqlite3_close(db);
}

TEST_F(Upgrade, RecepieGroupIsNotRegisteredSoAForeignLayoutIsRefused) {
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path(s("RECEPIEG.TPS"))).constData(), &db);
    sqlite3_exec(db,
                 "CREATE TABLE RecepieGroup (KEYIDRGROUP INTEGER, NAME TEXT); INSERT INTO RecepieGroup "
                 "VALUES (1, 'x')",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const QByteArray before = bytes(s("RECEPIEG.TPS"));
    auto st = session();
    EXPECT_FALSE(st->table(TableId::RecepieGroup).open().ok());
    ASSERT_EQ(messenger.messages.size(), 1);
    EXPECT_EQ(messenger.messages.at(0).title, s("File Access Error"));
    EXPECT_EQ(bytes(s("RECEPIEG.TPS")), before);
}

TEST(UpgradeRegistration, FiveTablesWithTheirVersionsRegisteredOncePerRun) {
    registerUpgradeService();
    EXPECT_FALSE(registerUpgradeService()); // the guard: a second call does nothing
    const UpgradeRegistration& r = upgradeRegistration();
    EXPECT_EQ(r.options, (QList<std::pair<QString, int>>{{s("BadFile"), 0}, {s("SPCreate"), 1}}));
    EXPECT_EQ(r.driver, s("Tps"));
    EXPECT_EQ(r.ignoreDriver, (std::pair<QString, int>{s("AllFiles"), 1}));
    QStringList got;
    for (const UpgradeTable& t : r.tables)
        got << QStringLiteral("%1 %2 %3 %4").arg(t.fileName, t.label, t.prefix).arg(t.version);
    EXPECT_EQ(got, (QStringList{s("FOOD.TPS Food FOO 4"), s("GROUP.TPS Group GRP 3"),
                                s("RECEPIE.TPS Recepie REC 3"), s("RECEPIEI.TPS RecepieIng REI 3"),
                                s("TIMESHEE.TPS TimeSheet TIM 5")}));
    EXPECT_FALSE(isRegisteredForUpgrade(TableId::RecepieGroup));
}
