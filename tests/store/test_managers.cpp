// Table managers and relation managers on real files.

#include "fixture.h"

#include <QFileInfo>

using namespace nm::store;
using namespace nm::store::test;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

class Managers : public StoreTest {};

} // namespace

TEST_F(Managers, FirstStartCreatesEveryFileEmptyWithColumnsNamedAfterTheFields) {
    auto st = session();
    for (TableId id : allTables())
        ASSERT_TRUE(st->table(id).open().ok()) << tableDef(id).label.toStdString();
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.titles().toStdString();
    for (TableId id : allTables())
        EXPECT_TRUE(QFileInfo::exists(path(tableDef(id).fileName))) << tableDef(id).fileName.toStdString();
    EXPECT_FALSE(st->failed());
    st.reset();

    // Another tool sees one table per file, named after the table, columns named after the fields.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path(s("GROUP.TPS"))).constData(), &db, SQLITE_OPEN_READONLY,
                              nullptr),
              SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db, "SELECT KEYIDGROUP, TYPE, DESCRIPTION FROM \"Group\"", -1, &stmt, nullptr),
        SQLITE_OK);
    EXPECT_EQ(sqlite3_step(stmt), SQLITE_DONE);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

TEST_F(Managers, AutoNumberStartsAtOneReservesAtPrimeAndReleasesOnCancel) {
    auto st = session();
    TableManager& food = st->table(TableId::Food);
    ASSERT_TRUE(food.primeAutoInc().ok());
    EXPECT_EQ(food.buffer().integer(s("FOO:KEYIDFOOD")), 1);

    // The number is taken at once: another session priming now gets the next one.
    auto other = session();
    ASSERT_TRUE(other->table(TableId::Food).primeAutoInc().ok());
    EXPECT_EQ(other->buffer(TableId::Food).integer(s("FOO:KEYIDFOOD")), 2);
    ASSERT_TRUE(other->table(TableId::Food).cancelAutoInc().ok());

    food.buffer().setText(s("FOO:NAME"), s("Apple"));
    ASSERT_TRUE(food.insert().ok());
    // The reserved record was overwritten, not added a second time.
    View v(*st, TableId::Food, s("FOO:KEYID"));
    QVector<ViewRow> rows;
    ASSERT_TRUE(v.load(rows).ok());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).primary.text(s("FOO:NAME")), s("Apple"));

    // Cancelling released number 2, so the next insert takes it again.
    ASSERT_TRUE(food.primeAutoInc().ok());
    EXPECT_EQ(food.buffer().integer(s("FOO:KEYIDFOOD")), 2);
    ASSERT_TRUE(food.cancelAutoInc().ok());
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(rows.size(), 1);
}

TEST_F(Managers, TimeSheetPrimesTodayAndTheTimeOfDay) {
    auto st = session();
    const QDate today = QDate::currentDate();
    ASSERT_TRUE(st->table(TableId::TimeSheet).primeAutoInc().ok());
    const Record& r = st->buffer(TableId::TimeSheet);
    EXPECT_EQ(Record::unpackDate(r.integer(s("TIM:DATE"))), today);
    EXPECT_TRUE(Record::unpackTime(r.integer(s("TIM:ENDTIME"))).isValid());
    EXPECT_EQ(r.integer(s("TIM:START")), 0);
    EXPECT_EQ(r.integer(s("TIM:KEYID")), 1);
}

TEST_F(Managers, DuplicateUniqueKeyIsRefusedWithTheKeysDescription) {
    auto st = session();
    addFood(*st, s("Apple"));
    TableManager& food = st->table(TableId::Food);
    food.buffer().clear();
    food.buffer().setInteger(s("FOO:KEYIDFOOD"), 1);
    food.buffer().setText(s("FOO:NAME"), s("Pear"));
    const Result r = food.insert();
    EXPECT_EQ(r.code, ErrorCode::DuplicateKey);
    EXPECT_EQ(r.text, s("Key ID Food"));
    EXPECT_EQ(food.lastError().code, ErrorCode::DuplicateKey);

    // Changing a record onto another's number is refused the same way.
    addFood(*st, s("Pear"));
    ASSERT_TRUE(food.fetch(s("FOO:KEYNAME"), {s("pear")}).ok());
    food.buffer().setInteger(s("FOO:KEYIDFOOD"), 1);
    const Result u = food.update();
    EXPECT_EQ(u.code, ErrorCode::DuplicateKey);
    EXPECT_EQ(u.text, s("Key ID Food"));
}

TEST_F(Managers, SessionsHaveTheirOwnBuffers) {
    auto a = session();
    auto b = session();
    addFood(*a, s("Apple"));
    EXPECT_EQ(b->buffer(TableId::Food).text(s("FOO:NAME")), QString());
    ASSERT_TRUE(b->table(TableId::Food).fetch(s("FOO:KEYID"), {1}).ok());
    b->buffer(TableId::Food).setText(s("FOO:NAME"), s("changed in b"));
    EXPECT_EQ(a->buffer(TableId::Food).text(s("FOO:NAME")), s("Apple"));
}

TEST_F(Managers, UpdateLearnsThatAnotherSessionChangedTheRecord) {
    auto a = session();
    auto b = session();
    addFood(*a, s("Apple"));
    TableManager& fa = a->table(TableId::Food);
    TableManager& fb = b->table(TableId::Food);
    ASSERT_TRUE(fa.fetch(s("FOO:KEYID"), {1}).ok());
    ASSERT_TRUE(fb.fetch(s("FOO:KEYID"), {1}).ok());

    fa.buffer().setInteger(s("FOO:BLOODA"), 4);
    ASSERT_TRUE(fa.update().ok());

    fb.buffer().setText(s("FOO:NOTES"), s("b's notes"));
    const Result r = fb.update();
    EXPECT_EQ(r.code, ErrorCode::ChangedByAnother);
    // b now holds the stored version, and storing it again goes through.
    EXPECT_EQ(fb.buffer().integer(s("FOO:BLOODA")), 4);
    EXPECT_EQ(fb.buffer().text(s("FOO:NOTES")), QString());
    fb.buffer().setText(s("FOO:NOTES"), s("b's notes"));
    ASSERT_TRUE(fb.update().ok());

    ASSERT_TRUE(fa.fetch(s("FOO:KEYID"), {1}).ok());
    EXPECT_EQ(fa.buffer().text(s("FOO:NOTES")), s("b's notes"));
    EXPECT_EQ(fa.buffer().integer(s("FOO:BLOODA")), 4);

    // A record deleted by another cannot be updated either.
    ASSERT_TRUE(fb.fetch(s("FOO:KEYID"), {1}).ok());
    ASSERT_TRUE(fa.remove().ok());
    EXPECT_EQ(fb.update().code, ErrorCode::NotFound);
}

TEST_F(Managers, KeysCompareCaseInsensitivelyForEveryScript) {
    auto st = session();
    addFood(*st, s("äpfel"));
    addFood(*st, s("ΣΟΦΊΑ"));
    addFood(*st, s("Ёлка"));
    TableManager& food = st->table(TableId::Food);
    const QList<std::pair<QString, QString>> lookups{{s("ÄPFEL"), s("äpfel")},
                                                     {s("σοφία"), s("ΣΟΦΊΑ")},
                                                     {s("ёЛКА"), s("Ёлка")},
                                                     {s("Äpfel   "), s("äpfel")}};
    for (const auto& [key, found] : lookups) {
        ASSERT_TRUE(food.fetch(s("FOO:KEYNAME"), {key}).ok()) << key.toStdString();
        EXPECT_EQ(food.buffer().text(s("FOO:NAME")), found);
    }
    EXPECT_EQ(food.fetch(s("FOO:KEYNAME"), {s("apfel")}).code, ErrorCode::NotFound);
}

TEST_F(Managers, BlankOrZeroKeyFieldsLeaveTheRecordOutOfThatKey) {
    auto st = session();
    addFood(*st, s("Banana"), 0, 0, 0, 0, 0, QString()); // no group, no group name
    addFood(*st, s("apple"), 3, 0, 0, 0, 0, s("Fruit"));
    addFood(*st, s("APPLE"), 3, 0, 0, 0, 0, s("Fruit"));
    addFood(*st, QString(), 3, 0, 0, 0, 0, s("Fruit")); // blank name: still has a group

    QVector<ViewRow> rows;
    View byGroup(*st, TableId::Food, s("FOO:KEYGROUP"));
    ASSERT_TRUE(byGroup.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("apple"), s("APPLE"), QString()}));

    View byName(*st, TableId::Food, s("FOO:KEYNAME"));
    ASSERT_TRUE(byName.load(rows).ok());
    EXPECT_EQ(names(rows),
              (QStringList{s("apple"), s("APPLE"), s("Banana")})); // equal names keep their order

    // A blank group name still has an entry while the name is not blank, and sorts first.
    View byGroupName(*st, TableId::Food, s("FOO:KEYGROUPNAME"));
    ASSERT_TRUE(byGroupName.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("Banana"), QString(), s("apple"), s("APPLE")}));

    // No ingredient line sets REI:ORDER, so walking that key visits nothing.
    auto& ing = st->table(TableId::RecepieIng);
    ASSERT_TRUE(ing.primeAutoInc().ok());
    ASSERT_TRUE(ing.insert().ok());
    View byOrder(*st, TableId::RecepieIng, s("REI:KEYORDER"));
    ASSERT_TRUE(byOrder.load(rows).ok());
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(Managers, RecepieGroupAllowsDuplicateIdsAndIsNotNumbered) {
    auto st = session();
    TableManager& rg = st->table(TableId::RecepieGroup);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(rg.primeAutoInc().ok());
        EXPECT_EQ(rg.buffer().integer(s("REG:KEYIDRGROUP")), 0);
        rg.buffer().setInteger(s("REG:KEYIDRGROUP"), 7);
        rg.buffer().setText(s("REG:NAME"), s("Soups"));
        ASSERT_TRUE(rg.insert().ok());
    }
    QVector<ViewRow> rows;
    View v(*st, TableId::RecepieGroup, s("REG:KEYID"));
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(rows.size(), 2);
}

TEST_F(Managers, RelationsAreRegisteredInOrderAndOpeningReadiesEveryTable) {
    auto st = session();
    QStringList got;
    for (const Relation& r : st->relation(TableId::Group).relations())
        got << tableDef(r.other).label + QLatin1Char(' ') + r.thisField + QLatin1Char('=') + r.otherField;
    EXPECT_EQ(got, (QStringList{s("Food GRP:KEYIDGROUP=FOO:KEYIDGROUP"),
                                s("TimeSheet GRP:KEYIDGROUP=TIM:KEYIDTYPE")}));
    const auto& ing = st->relation(TableId::RecepieIng).relations();
    ASSERT_EQ(ing.size(), 2);
    EXPECT_EQ(ing.at(0).other, TableId::Recepie);
    EXPECT_EQ(ing.at(1).kind, RelationKind::Lookup);
    EXPECT_FALSE(ing.at(1).restrictOnDelete);

    ASSERT_TRUE(st->relation(TableId::RecepieIng).open().ok());
    for (TableId id : allTables())
        EXPECT_TRUE(st->table(id).readied()) << tableDef(id).label.toStdString();
    // Readied tables open their files when first used.
    EXPECT_FALSE(st->table(TableId::TimeSheet).isOpen());
}

TEST_F(Managers, ParentWithChildrenCannotBeDeletedUnderEachOfTheFourRules) {
    struct Case {
        TableId parent, child;
        const char* parentField;
        const char* childField;
    };
    const QList<Case> cases{{TableId::Group, TableId::Food, "GRP:KEYIDGROUP", "FOO:KEYIDGROUP"},
                            {TableId::Group, TableId::TimeSheet, "GRP:KEYIDGROUP", "TIM:KEYIDTYPE"},
                            {TableId::RecepieGroup, TableId::Recepie, "REG:KEYIDRGROUP", "REC:KEYIDRGROUP"},
                            {TableId::Recepie, TableId::RecepieIng, "REC:KEYIDRECEPIE", "REI:KEYIDRECEPIE"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(tableDef(c.child).label.toStdString());
        QTemporaryDir d;
        auto st = std::make_unique<DataStore>(messenger, d.path());
        TableManager& parent = st->table(c.parent);
        ASSERT_TRUE(parent.primeAutoInc().ok());
        parent.buffer().setInteger(QLatin1String(c.parentField), 5);
        ASSERT_TRUE(parent.insert().ok());
        const qint64 parentRow = parent.buffer().rowId();
        TableManager& child = st->table(c.child);
        ASSERT_TRUE(child.primeAutoInc().ok());
        child.buffer().setInteger(QLatin1String(c.childField), 5);
        ASSERT_TRUE(child.insert().ok());

        ASSERT_TRUE(parent.fetchRow(parentRow).ok());
        const Result r = st->relation(c.parent).remove();
        EXPECT_EQ(r.code, ErrorCode::RestrictedDelete);
        EXPECT_EQ(r.text, tableDef(c.child).label);
        EXPECT_EQ(describe(r).title, s("Referential Integrity Delete Error"));
        EXPECT_EQ(
            describe(r).text,
            QStringLiteral("This record is referenced from the file %1. This record cannot be deleted while "
                           "these references exist.")
                .arg(tableDef(c.child).label));
        EXPECT_TRUE(parent.fetchRow(parentRow).ok()); // still there

        // Once the child is gone the parent can go.
        ASSERT_TRUE(st->relation(c.child).remove().ok());
        ASSERT_TRUE(parent.fetchRow(parentRow).ok());
        EXPECT_TRUE(st->relation(c.parent).remove().ok());
        EXPECT_EQ(parent.fetchRow(parentRow).code, ErrorCode::NotFound);
    }
}

TEST_F(Managers, ChangedParentIdCascadesToEveryChildAndZeroLinksBlockNothing) {
    auto st = session();
    const qint32 fruit = addGroup(*st, s("Fruit"));
    const qint32 other = addGroup(*st, s("Other"));
    addFood(*st, s("Apple"), fruit);
    addFood(*st, s("Pear"), fruit);
    addFood(*st, s("Bread"), other);
    addFood(*st, s("Loose"), 0);
    TableManager& ts = st->table(TableId::TimeSheet);
    ASSERT_TRUE(ts.primeAutoInc().ok());
    ts.buffer().setInteger(s("TIM:KEYIDTYPE"), fruit);
    ASSERT_TRUE(ts.insert().ok());

    TableManager& group = st->table(TableId::Group);
    ASSERT_TRUE(group.fetch(s("GRP:KEYID"), {fruit}).ok());
    group.buffer().setInteger(s("GRP:KEYIDGROUP"), 40);
    ASSERT_TRUE(st->relation(TableId::Group).update().ok());

    QVector<ViewRow> rows;
    View v(*st, TableId::Food, s("FOO:KEYNAME"));
    v.setRange(s("FOO:KEYIDGROUP"), 40);
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("Apple"), s("Pear")}));
    ASSERT_TRUE(ts.fetch(s("TIM:KEYIDTIMESHEET"), {1}).ok());
    EXPECT_EQ(ts.buffer().integer(s("TIM:KEYIDTYPE")), 40);

    // A group whose only "children" have group 0 can be deleted; the loose food is untouched.
    const qint32 empty = addGroup(*st, s("Empty"));
    ASSERT_TRUE(group.fetch(s("GRP:KEYID"), {empty}).ok());
    EXPECT_TRUE(st->relation(TableId::Group).remove().ok());
    ASSERT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("Loose")}).ok());
}

TEST_F(Managers, CascadeIsUndoneWholeWhenTheParentCannotBeStored) {
    auto st = session();
    const qint32 fruit = addGroup(*st, s("Fruit"));
    const qint32 other = addGroup(*st, s("Other"));
    addFood(*st, s("Apple"), fruit);
    TableManager& group = st->table(TableId::Group);
    ASSERT_TRUE(group.fetch(s("GRP:KEYID"), {fruit}).ok());
    group.buffer().setInteger(s("GRP:KEYIDGROUP"), other); // taken: duplicate key
    const Result r = st->relation(TableId::Group).update();
    EXPECT_EQ(r.code, ErrorCode::DuplicateKey);
    EXPECT_EQ(r.text, s("By Group"));
    ASSERT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYNAME"), {s("Apple")}).ok());
    EXPECT_EQ(st->buffer(TableId::Food).integer(s("FOO:KEYIDGROUP")), fruit);
    // The entry stays in the buffer, and a corrected one goes through.
    EXPECT_EQ(group.buffer().integer(s("GRP:KEYIDGROUP")), other);
    group.buffer().setInteger(s("GRP:KEYIDGROUP"), 99);
    EXPECT_TRUE(st->relation(TableId::Group).update().ok());
}

TEST_F(Managers, FoodsAreNeverCheckedAgainstIngredients) {
    auto st = session();
    const qint32 apple = addFood(*st, s("Apple"));
    TableManager& ing = st->table(TableId::RecepieIng);
    ASSERT_TRUE(ing.primeAutoInc().ok());
    ing.buffer().setInteger(s("REI:KEYIDFOOD"), apple);
    ASSERT_TRUE(ing.insert().ok());
    ASSERT_TRUE(st->table(TableId::Food).fetch(s("FOO:KEYID"), {apple}).ok());
    EXPECT_TRUE(st->relation(TableId::Food).remove().ok());
    ASSERT_TRUE(ing.fetch(s("REI:KEYID"), {1}).ok());
    EXPECT_EQ(ing.buffer().integer(s("REI:KEYIDFOOD")), apple);
}

TEST_F(Managers, AutoIncrementQuestionAfterRepeatedFailure) {
    auto st = session();
    ASSERT_TRUE(st->table(TableId::Food).open().ok());
    // Another connection holds the write lock, so numbering cannot take place.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path(s("FOOD.TPS"))).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    st->setBusyTimeout(20);
    messenger.answers = {true, false}; // try again once, then give up
    const Result r = st->table(TableId::Food).primeAutoInc();
    EXPECT_EQ(r.code, ErrorCode::AccessDenied);
    ASSERT_EQ(messenger.messages.size(), 2);
    EXPECT_EQ(messenger.messages.at(0).title, s("Auto Increment Error"));
    EXPECT_EQ(messenger.messages.at(0).text,
              s("Attempts to automatically number this record have failed.\nFile: FOOD.TPS\nKey: FOO:KEYID\n"
                "Error: database is locked.\nTry Again?"));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    messenger.messages.clear();
    EXPECT_TRUE(st->table(TableId::Food).primeAutoInc().ok());
    EXPECT_TRUE(messenger.messages.isEmpty());
}
