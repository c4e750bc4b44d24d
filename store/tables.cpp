#include "tables.h"

#include <array>

namespace nm::store {

namespace {

FieldDef lng(const char* n) {
    return {QLatin1String(n), FieldType::Long, 4};
}
FieldDef byt(const char* n) {
    return {QLatin1String(n), FieldType::Byte, 1};
}
FieldDef str(const char* n, int w) {
    return {QLatin1String(n), FieldType::String, w};
}
FieldDef date(const char* n) {
    return {QLatin1String(n), FieldType::Date, 4};
}
FieldDef time(const char* n) {
    return {QLatin1String(n), FieldType::Time, 4};
}
FieldDef memo(const char* n, int w) {
    return {QLatin1String(n), FieldType::Memo, w};
}

KeyDef key(const char* n, std::initializer_list<const char*> comps, bool unique, bool autoNumber,
           const char* description) {
    QStringList c;
    for (const char* s : comps)
        c << QLatin1String(s);
    return {QLatin1String(n), c, unique, autoNumber, QString::fromUtf8(description)};
}

std::array<TableDef, kTableCount> buildTables() {
    std::array<TableDef, kTableCount> t;
    t[0] = {TableId::Food,
            QStringLiteral("Food"),
            QStringLiteral("FOO"),
            QStringLiteral("FOOD.TPS"),
            4,
            {lng("FOO:KEYIDFOOD"), lng("FOO:KEYIDGROUP"), str("FOO:NAME", 60), byt("FOO:BLOODO"),
             byt("FOO:BLOODA"), byt("FOO:BLOODB"), byt("FOO:BLOODAB"), str("FOO:GROUPNAME", 20),
             memo("FOO:NOTES", 1000)},
            {key("FOO:KEYID", {"FOO:KEYIDFOOD"}, true, true, "Key ID Food"),
             key("FOO:KEYGROUP", {"FOO:KEYIDGROUP"}, false, false, "Foreign"),
             key("FOO:KEYNAME", {"FOO:NAME"}, false, false, "By Name (sort)"),
             key("FOO:KEYGROUPNAME", {"FOO:GROUPNAME", "FOO:NAME"}, false, false, "Group and Name")}};
    t[1] = {TableId::Group,
            QStringLiteral("Group"),
            QStringLiteral("GRP"),
            QStringLiteral("GROUP.TPS"),
            3,
            {lng("GRP:KEYIDGROUP"), str("GRP:TYPE", 20), str("GRP:DESCRIPTION", 50)},
            {key("GRP:KEYID", {"GRP:KEYIDGROUP"}, true, true, "By Group"),
             key("GRP:KEYNAME", {"GRP:TYPE"}, false, false, "By Name (sort)")}};
    t[2] = {TableId::Recepie,
            QStringLiteral("Recepie"),
            QStringLiteral("REC"),
            QStringLiteral("RECEPIE.TPS"),
            3,
            {lng("REC:KEYIDRECEPIE"), lng("REC:KEYIDRGROUP"), str("REC:NAME", 60), str("REC:SUMMARY", 60),
             str("REC:ARATE", 10), str("REC:BRATE", 10), str("REC:ABRATE", 10), str("REC:ORATE", 10),
             str("REC:BENEFIT", 20), str("REC:NEUTRAL", 20), str("REC:AVOID", 20), str("REC:SUBMITBY", 30),
             memo("REC:METHOD", 1000)},
            {key("REC:KEYID", {"REC:KEYIDRECEPIE"}, true, true, "Primary Key"),
             key("REC:KEYRGROUP", {"REC:KEYIDRGROUP"}, false, false, "RGroup (foriegn)"),
             key("REC:KEYNAME", {"REC:NAME", "REC:SUBMITBY"}, false, false, "Name (sort)")}};
    t[3] = {TableId::RecepieIng,
            QStringLiteral("RecepieIng"),
            QStringLiteral("REI"),
            QStringLiteral("RECEPIEI.TPS"),
            3,
            {lng("REI:KEYIDING"), lng("REI:KEYIDRECEPIE"), lng("REI:KEYIDFOOD"), byt("REI:ORDER"),
             str("REI:QUANTITY", 20), str("REI:NOTES", 60), str("REI:BENEFIT", 20), str("REI:NEUTRAL", 20),
             str("REI:AVOID", 20), byt("REI:BLOODO"), byt("REI:BLOODA"), byt("REI:BLOODB"),
             byt("REI:BLOODAB")},
            {key("REI:KEYID", {"REI:KEYIDING"}, true, true, "ID"),
             key("REI:KEYRECEPIE", {"REI:KEYIDRECEPIE"}, false, false, "Recepie (foreign)"),
             key("REI:KEYFOOD", {"REI:KEYIDFOOD"}, false, false, "Food (foreign)"),
             key("REI:KEYORDER", {"REI:ORDER"}, false, false, "Order (sort)")}};
    t[4] = {TableId::RecepieGroup,
            QStringLiteral("RecepieGroup"),
            QStringLiteral("REG"),
            QStringLiteral("RECEPIEG.TPS"),
            0,
            {lng("REG:KEYIDRGROUP"), str("REG:NAME", 60), str("REG:DESCRIPTION", 60)},
            {key("REG:KEYID", {"REG:KEYIDRGROUP"}, false, false, "ID (Primary)"),
             key("REG:KEYGROUPNAME", {"REG:NAME", "REG:DESCRIPTION"}, false, false, "Name (sort)")}};
    t[5] = {TableId::TimeSheet,
            QStringLiteral("TimeSheet"),
            QStringLiteral("TIM"),
            QStringLiteral("TIMESHEE.TPS"),
            5,
            {lng("TIM:KEYID"), date("TIM:DATE"), time("TIM:START"), time("TIM:ENDTIME"), lng("TIM:SUBTOTAL"),
             lng("TIM:MINUTES"), lng("TIM:KEYIDTYPE"), memo("TIM:DETAILS", 1000)},
            {key("TIM:DATEKEY", {"TIM:DATE", "TIM:START"}, false, false, "TIM:DateKey"),
             key("TIM:KEYIDTIMESHEET", {"TIM:KEYID"}, true, true, "TIM:KeyIdTimesheet"),
             key("TIM:KEYIDJOBTYPE", {"TIM:KEYIDTYPE"}, false, false, "Type (foreign)")}};
    return t;
}

const std::array<TableDef, kTableCount>& tables() {
    static const std::array<TableDef, kTableCount> t = buildTables();
    return t;
}

} // namespace

QString FieldDef::column() const {
    return name.mid(name.indexOf(QLatin1Char(':')) + 1);
}

int FieldDef::bytes() const {
    switch (type) {
    case FieldType::Long:
    case FieldType::Date:
    case FieldType::Time:
        return 4;
    case FieldType::Byte:
        return 1;
    case FieldType::String:
        return width;
    case FieldType::Memo:
        return 0;
    }
    return 0;
}

bool FieldDef::isText() const {
    return type == FieldType::String || type == FieldType::Memo;
}

int TableDef::recordSize() const {
    int size = 0;
    for (const FieldDef& f : fields)
        size += f.bytes();
    return size;
}

int TableDef::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

const KeyDef* TableDef::key(const QString& keyName) const {
    for (const KeyDef& k : keys) {
        if (k.name.compare(keyName, Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

const KeyDef* TableDef::autoNumberKey() const {
    for (const KeyDef& k : keys) {
        if (k.autoNumber)
            return &k;
    }
    return nullptr;
}

const FieldDef* TableDef::memo() const {
    if (!fields.isEmpty() && fields.last().type == FieldType::Memo)
        return &fields.last();
    return nullptr;
}

const TableDef& tableDef(TableId id) {
    return tables().at(static_cast<std::size_t>(id));
}

const QList<TableId>& allTables() {
    static const QList<TableId> ids{TableId::Food,       TableId::Group,        TableId::Recepie,
                                    TableId::RecepieIng, TableId::RecepieGroup, TableId::TimeSheet};
    return ids;
}

const TableDef* tableByPrefix(const QString& prefix) {
    const QString p = prefix.section(QLatin1Char(':'), 0, 0);
    for (const TableDef& t : tables()) {
        if (t.prefix.compare(p, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

} // namespace nm::store
