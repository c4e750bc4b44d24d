// Filter expressions and views.

#include "fixture.h"
#include "store/filter.h"

using namespace nm::store;
using namespace nm::store::test;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

class Views : public StoreTest {};

} // namespace

TEST(Filter, CompilesToSqlWithBoundValues) {
    struct Case {
        const char* expression;
        const char* sql;
        QVariantList params;
    };
    const QList<Case> cases{
        {"(FOO:BloodO = 4)", R"((p."BLOODO" = ?))", {4}},
        {"(FOO:BloodA = 4 OR FOO:BloodA = 1) OR (FOO:BloodB = 4 OR FOO:BloodB = 1)",
         R"((((p."BLOODA" = ?) OR (p."BLOODA" = ?)) OR ((p."BLOODB" = ?) OR (p."BLOODB" = ?))))",
         {4, 1, 4, 1}},
        {"FOO:BloodO = 4 AND FOO:BloodA = 2 OR FOO:BloodB = 1", // AND binds tighter than OR
         R"((((p."BLOODO" = ?) AND (p."BLOODA" = ?)) OR (p."BLOODB" = ?)))",
         {4, 2, 1}},
        {"foo:bloodab<>0 and FOO:KEYIDGROUP>=-3",
         R"(((p."BLOODAB" <> ?) AND (p."KEYIDGROUP" >= ?)))",
         {0, -3}},
        {"FOO:NAME = 'O''Brien  '", R"((p."NAME" = ?))", {s("O'Brien")}},
        {"FOO:Notes > \"x\"", R"((p."NOTES" > ?))", {s("x")}},
        {"GRP:TYPE = 'Fruit' AND FOO:BLOODO < GRP:KEYIDGROUP",
         R"(((j."TYPE" = ?) AND (p."BLOODO" < j."KEYIDGROUP")))",
         {s("Fruit")}},
        {"((FOO:BLOODO <= 2))", R"((p."BLOODO" <= ?))", {2}},
        {"   ", "", {}},
    };
    const QList<FilterScope> scope{{TableId::Food, s("p")}, {TableId::Group, s("j")}};
    for (const Case& c : cases) {
        QString sqlText;
        QVariantList params;
        const Result r = compileFilter(QString::fromUtf8(c.expression), scope, sqlText, params);
        ASSERT_TRUE(r.ok()) << c.expression << ": " << r.text.toStdString();
        EXPECT_EQ(sqlText, QString::fromUtf8(c.sql)) << c.expression;
        EXPECT_EQ(params, c.params) << c.expression;
    }
}

TEST(Filter, RefusesUnknownFieldsAndMalformedTextNamingWhatWasRefused) {
    struct Case {
        const char* expression;
        const char* mentions;
    };
    const QList<Case> cases{
        {"FOO:BloodX = 4", "FOO:BloodX"},
        {"REC:NAME = 'x'", "REC:NAME"}, // a table that is not in the view
        {"BloodA = 4", "BloodA"},
        {"FOO:BloodA = 4; DROP TABLE Food", ";"},
        {"(FOO:BloodA = 4", "missing \")\""},
        {"FOO:BloodA = 4)", "unmatched \")\""},
        {"FOO:BloodA 4", "\"4\""},
        {"FOO:BloodA =", "ends"},
        {"FOO:BloodA = 4 AND", "ends"},
        {"FOO:BloodA == 4", "\"=\""},
        {"FOO:NAME = 'open", "unterminated"},
        {"FOO:BloodA = 4x", "4x"},
        {"FOO:BloodA = 99999999999999999999", "99999999999999999999"},
        {"OR FOO:BloodA = 4", "\"OR\""},
    };
    const QList<FilterScope> scope{{TableId::Food, s("p")}};
    for (const Case& c : cases) {
        QString sqlText = s("unchanged");
        QVariantList params;
        const Result r = compileFilter(QString::fromUtf8(c.expression), scope, sqlText, params);
        EXPECT_EQ(r.code, ErrorCode::BadExpression) << c.expression;
        EXPECT_TRUE(r.text.contains(QString::fromUtf8(c.mentions)))
            << c.expression << " -> " << r.text.toStdString();
        EXPECT_EQ(sqlText, s("unchanged"));
    }
}

TEST_F(Views, FilterRangeAndKeyOrderTogether) {
    auto st = session();
    addFood(*st, s("Cherry"), 1, 4, 4);
    addFood(*st, s("apple"), 1, 4, 1);
    addFood(*st, s("Banana"), 1, 2, 4);
    addFood(*st, s("Date"), 2, 4, 4);
    addFood(*st, s("Elder"), 1, 4, 2);

    View v(*st, TableId::Food, s("FOO:KEYNAME"));
    QVector<ViewRow> rows;
    ASSERT_TRUE(v.setFilter(s("FOO:BloodO = 4 AND (FOO:BloodA = 4 OR FOO:BloodA = 1)")).ok());
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("apple"), s("Cherry"), s("Date")}));

    v.setRange(s("FOO:KEYIDGROUP"), 1);
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("apple"), s("Cherry")}));

    // A refused filter leaves the last good one in place.
    EXPECT_EQ(v.setFilter(s("FOO:Bogus = 1")).code, ErrorCode::BadExpression);
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("apple"), s("Cherry")}));

    ASSERT_TRUE(v.setFilter(QString()).ok());
    v.setRange(QString(), {});
    v.setKey(s("FOO:KEYID"));
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("Cherry"), s("apple"), s("Banana"), s("Date"), s("Elder")}));
    ASSERT_EQ(rows.at(1).primary.rowId() != 0, true);
}

TEST_F(Views, OuterJoinKeepsRowsWithoutAPartner) {
    auto st = session();
    const qint32 fruit = addGroup(*st, s("Fruit"));
    addFood(*st, s("Apple"), fruit);
    addFood(*st, s("Orphan"), 77);
    addFood(*st, s("Loose"), 0);

    View v(*st, TableId::Food, s("FOO:KEYNAME"));
    v.setJoin(TableId::Group, s("FOO:KEYIDGROUP"), s("GRP:KEYIDGROUP"));
    QVector<ViewRow> rows;
    ASSERT_TRUE(v.load(rows).ok());
    ASSERT_EQ(names(rows), (QStringList{s("Apple"), s("Loose"), s("Orphan")}));
    ASSERT_TRUE(rows.at(0).joined.has_value());
    EXPECT_EQ(rows.at(0).joined->text(s("GRP:TYPE")), s("Fruit"));
    EXPECT_FALSE(rows.at(1).joined.has_value());
    EXPECT_FALSE(rows.at(2).joined.has_value());

    // The joined table's fields are known to the filter.
    ASSERT_TRUE(v.setFilter(s("GRP:Type = 'Fruit'")).ok());
    ASSERT_TRUE(v.load(rows).ok());
    EXPECT_EQ(names(rows), (QStringList{s("Apple")}));

    // Ingredient lines join their food the same way, and an ingredient may name a food that is gone.
    TableManager& ing = st->table(TableId::RecepieIng);
    for (qint32 food : {1, 99}) {
        ASSERT_TRUE(ing.primeAutoInc().ok());
        ing.buffer().setInteger(s("REI:KEYIDRECEPIE"), 5);
        ing.buffer().setInteger(s("REI:KEYIDFOOD"), food);
        ASSERT_TRUE(ing.insert().ok());
    }
    View lines(*st, TableId::RecepieIng, s("REI:KEYRECEPIE"));
    lines.setJoin(TableId::Food, s("REI:KEYIDFOOD"), s("FOO:KEYIDFOOD"));
    lines.setRange(s("REI:KEYIDRECEPIE"), 5);
    ASSERT_TRUE(lines.load(rows).ok());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).joined->text(s("FOO:NAME")), s("Apple"));
    EXPECT_FALSE(rows.at(1).joined.has_value());
}

TEST_F(Views, RowsLoadWholeAndCanBeStoredBack) {
    auto st = session();
    addFood(*st, s("Apple"));
    TableManager& food = st->table(TableId::Food);
    ASSERT_TRUE(food.fetch(s("FOO:KEYID"), {1}).ok());
    food.buffer().setText(s("FOO:NOTES"), s("crisp\nand sweet"));
    ASSERT_TRUE(food.update().ok());

    View v(*st, TableId::Food, s("FOO:KEYNAME"));
    QVector<ViewRow> rows;
    ASSERT_TRUE(v.load(rows).ok());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).primary.text(s("FOO:NOTES")), s("crisp\nand sweet"));

    food.setBuffer(rows.at(0).primary);
    food.buffer().setInteger(s("FOO:BLOODB"), 2);
    EXPECT_TRUE(food.update().ok());
}
