// Table definitions and record buffers.

#include "fixture.h"

#include <QStringList>

using namespace nm::store;

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

} // namespace

TEST(Tables, RecordSizesFollowFromTheFieldLists) {
    const QList<std::pair<TableId, int>> sizes{{TableId::Food, 92},          {TableId::Group, 74},
                                               {TableId::Recepie, 258},      {TableId::RecepieIng, 157},
                                               {TableId::RecepieGroup, 124}, {TableId::TimeSheet, 28}};
    for (const auto& [id, size] : sizes)
        EXPECT_EQ(tableDef(id).recordSize(), size) << tableDef(id).label.toStdString();
}

TEST(Tables, FieldOffsetsOfTheFoodRecord) {
    const TableDef& t = tableDef(TableId::Food);
    QStringList layout;
    int offset = 0;
    for (const FieldDef& f : t.fields) {
        if (f.type != FieldType::Memo)
            layout << QStringLiteral("%1@%2").arg(f.name).arg(offset);
        offset += f.bytes();
    }
    EXPECT_EQ(layout.join(QLatin1Char(' ')),
              s("FOO:KEYIDFOOD@0 FOO:KEYIDGROUP@4 FOO:NAME@8 FOO:BLOODO@68 FOO:BLOODA@69 FOO:BLOODB@70 "
                "FOO:BLOODAB@71 FOO:GROUPNAME@72"));
    ASSERT_NE(t.memo(), nullptr);
    EXPECT_EQ(t.memo()->name, s("FOO:NOTES"));
    EXPECT_EQ(t.memo()->width, 1000);
}

TEST(Tables, FilesLabelsPrefixesAndVersions) {
    QStringList got;
    for (TableId id : allTables()) {
        const TableDef& t = tableDef(id);
        got << QStringLiteral("%1 %2 %3 %4").arg(t.label, t.prefix, t.fileName).arg(t.version);
    }
    EXPECT_EQ(
        got.join(QLatin1String("; ")),
        s("Food FOO FOOD.TPS 4; Group GRP GROUP.TPS 3; Recepie REC RECEPIE.TPS 3; "
          "RecepieIng REI RECEPIEI.TPS 3; RecepieGroup REG RECEPIEG.TPS 0; TimeSheet TIM TIMESHEE.TPS 5"));
}

TEST(Tables, KeysInOrderWithDescriptionsUniquenessAndNumbering) {
    QStringList got;
    for (TableId id : allTables()) {
        for (const KeyDef& k : tableDef(id).keys)
            got << QStringLiteral("%1(%2)%3%4 \"%5\"")
                       .arg(k.name, k.components.join(QLatin1Char(',')), k.unique ? s(" unique") : QString(),
                            k.autoNumber ? s(" auto") : QString(), k.description);
    }
    EXPECT_EQ(got.join(QLatin1Char('\n')),
              s("FOO:KEYID(FOO:KEYIDFOOD) unique auto \"Key ID Food\"\n"
                "FOO:KEYGROUP(FOO:KEYIDGROUP) \"Foreign\"\n"
                "FOO:KEYNAME(FOO:NAME) \"By Name (sort)\"\n"
                "FOO:KEYGROUPNAME(FOO:GROUPNAME,FOO:NAME) \"Group and Name\"\n"
                "GRP:KEYID(GRP:KEYIDGROUP) unique auto \"By Group\"\n"
                "GRP:KEYNAME(GRP:TYPE) \"By Name (sort)\"\n"
                "REC:KEYID(REC:KEYIDRECEPIE) unique auto \"Primary Key\"\n"
                "REC:KEYRGROUP(REC:KEYIDRGROUP) \"RGroup (foriegn)\"\n"
                "REC:KEYNAME(REC:NAME,REC:SUBMITBY) \"Name (sort)\"\n"
                "REI:KEYID(REI:KEYIDING) unique auto \"ID\"\n"
                "REI:KEYRECEPIE(REI:KEYIDRECEPIE) \"Recepie (foreign)\"\n"
                "REI:KEYFOOD(REI:KEYIDFOOD) \"Food (foreign)\"\n"
                "REI:KEYORDER(REI:ORDER) \"Order (sort)\"\n"
                "REG:KEYID(REG:KEYIDRGROUP) \"ID (Primary)\"\n"
                "REG:KEYGROUPNAME(REG:NAME,REG:DESCRIPTION) \"Name (sort)\"\n"
                "TIM:DATEKEY(TIM:DATE,TIM:START) \"TIM:DateKey\"\n"
                "TIM:KEYIDTIMESHEET(TIM:KEYID) unique auto \"TIM:KeyIdTimesheet\"\n"
                "TIM:KEYIDJOBTYPE(TIM:KEYIDTYPE) \"Type (foreign)\""));
}

TEST(Tables, FieldNamesAreFoundInTheMixedCaseOfFilters) {
    const TableDef& t = tableDef(TableId::Food);
    EXPECT_EQ(t.fieldIndex(s("FOO:BloodA")), 4);
    EXPECT_EQ(t.fieldIndex(s("FOO:Notes")), 8);
    EXPECT_EQ(t.fieldIndex(s("FOO:NOPE")), -1);
    EXPECT_EQ(tableByPrefix(s("rec:Method"))->id, TableId::Recepie);
    EXPECT_EQ(tableByPrefix(s("XYZ:NAME")), nullptr);
    EXPECT_EQ(t.fields.at(2).column(), s("NAME"));
}

TEST(Record, TextIsCutToItsWidthInWholeCharacters) {
    struct Case {
        QString in;
        int width;
        QString out;
    };
    const QList<Case> cases{
        {s("Apple   "), 20, s("Apple")}, // trailing blanks dropped
        {s("  lead"), 20, s("  lead")},  // leading blanks kept
        {s("abcdefghij"), 4, s("abcd")},
        {s("Äpfelmus"), 3, s("Äpf")},                // counts characters, not UTF-8 bytes
        {s("ab\U0001F34Ecd"), 3, s("ab\U0001F34E")}, // a pair of UTF-16 halves is one character
        {s("ab\U0001F34Ecd"), 2, s("ab")},           // and is never cut in half
        {s("cafe\u0301s"), 4, s("cafe\u0301")},      // an accent stays with its letter
        {s("abc   def"), 5, s("abc")},               // cut, then blanks dropped
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitText(c.in, c.width), c.out) << c.in.toStdString();

    Record r(TableId::Group);
    r.setText(s("GRP:TYPE"), QString(30, QLatin1Char('x')));
    EXPECT_EQ(r.text(s("GRP:TYPE")).size(), 20);
}

TEST(Record, NumbersWrapToTheirTypeAndClearResetsEveryField) {
    Record r(TableId::Food);
    r.setInteger(s("FOO:BLOODA"), 260);
    EXPECT_EQ(r.integer(s("FOO:BLOODA")), 4);
    r.setInteger(s("FOO:KEYIDFOOD"), 0x1'0000'0005LL);
    EXPECT_EQ(r.integer(s("FOO:KEYIDFOOD")), 5);
    r.setInteger(s("FOO:KEYIDGROUP"), -1);
    EXPECT_EQ(r.integer(s("FOO:KEYIDGROUP")), -1);
    r.setText(s("foo:notes"), s("memo"));
    r.setRowId(7);
    Record copy = r;
    EXPECT_EQ(copy, r);
    copy.setText(s("FOO:NOTES"), s("other"));
    EXPECT_NE(copy, r);
    r.clear();
    EXPECT_EQ(r, Record(TableId::Food));
    EXPECT_EQ(r.rowId(), 0);
}

TEST(Record, DateAndTimePackIntoTheirBitFields) {
    EXPECT_EQ(Record::packDate(QDate(2024, 3, 9)), (2024 << 16) | (3 << 8) | 9);
    EXPECT_EQ(Record::unpackDate((2024 << 16) | (12 << 8) | 31), QDate(2024, 12, 31));
    EXPECT_EQ(Record::packTime(QTime(13, 45, 30, 250)), (13 << 24) | (45 << 16) | (30 << 8) | 25);
    EXPECT_EQ(Record::unpackTime(Record::packTime(QTime(23, 59, 58, 990))), QTime(23, 59, 58, 990));
    EXPECT_EQ(Record::packDate(QDate()), 0);
}
