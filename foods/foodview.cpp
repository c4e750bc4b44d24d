#include "foodview.h"

#include "store/tables.h"

namespace nm::foods {

namespace {

// Field positions, looked up once: formatting runs for every row at every refresh.
struct FoodFields {
    int id, group, name, notes, groupName;
    std::array<int, 4> ratings;   // A, B, AB, O
    int grpId, grpType;

    FoodFields() {
        const auto& food = store::tableDef(store::TableId::Food);
        const auto& grp = store::tableDef(store::TableId::Group);
        id = food.fieldIndex(QStringLiteral("FOO:KEYIDFOOD"));
        group = food.fieldIndex(QStringLiteral("FOO:KEYIDGROUP"));
        name = food.fieldIndex(QStringLiteral("FOO:NAME"));
        notes = food.fieldIndex(QStringLiteral("FOO:NOTES"));
        groupName = food.fieldIndex(QStringLiteral("FOO:GROUPNAME"));
        ratings = {food.fieldIndex(QStringLiteral("FOO:BLOODA")), food.fieldIndex(QStringLiteral("FOO:BLOODB")),
                   food.fieldIndex(QStringLiteral("FOO:BLOODAB")), food.fieldIndex(QStringLiteral("FOO:BLOODO"))};
        grpId = grp.fieldIndex(QStringLiteral("GRP:KEYIDGROUP"));
        grpType = grp.fieldIndex(QStringLiteral("GRP:TYPE"));
    }
};

const FoodFields& fields() {
    static const FoodFields f;
    return f;
}

}  // namespace

QString foodOrderKey(FoodOrder order) {
    return order == FoodOrder::ByGroup ? QStringLiteral("FOO:KEYGROUPNAME") : QStringLiteral("FOO:KEYNAME");
}

QString foodOrderSearchField(FoodOrder order) {
    return order == FoodOrder::ByGroup ? QStringLiteral("FOO:GROUPNAME") : QStringLiteral("FOO:NAME");
}

FoodOrder foodOrderForTab(int tabIndex) {
    switch (tabIndex) {
    case 0: return FoodOrder::ByName;
    case 1: return FoodOrder::ByGroup;
    default: return FoodOrder::Other;
    }
}

void configureFoodView(store::View& view, FoodOrder order) {
    view.setKey(foodOrderKey(order));
    view.setJoin(store::TableId::Group, QStringLiteral("FOO:KEYIDGROUP"), QStringLiteral("GRP:KEYIDGROUP"));
}

FoodData foodDataFrom(const store::ViewRow& row) {
    const FoodFields& f = fields();
    const store::Record& r = row.primary;
    FoodData d;
    d.rowId = r.rowId();
    d.foodId = r.value(f.id).toInt();
    d.name = r.value(f.name).toString();
    d.ratings = foodRatings(r);
    d.notes = r.value(f.notes).toString();
    d.groupName = r.value(f.groupName).toString();
    if (row.joined) {
        d.groupType = row.joined->value(f.grpType).toString();
        d.groupId = row.joined->value(f.grpId).toInt();
    }
    return d;
}

std::array<int, 4> foodRatings(const store::Record& food) {
    const FoodFields& f = fields();
    std::array<int, 4> ratings{};
    for (std::size_t i = 0; i < ratings.size(); ++i)
        ratings[i] = food.value(f.ratings[i]).toInt();
    return ratings;
}

store::Result loadFoodRows(store::View& view, int tickedMask, QVector<FoodRow>& rows) {
    QVector<store::ViewRow> read;
    store::Result res = view.load(read);
    rows.clear();
    if (!res)
        return res;
    rows.reserve(read.size());
    for (const store::ViewRow& r : read)
        rows.push_back(formatFoodRow(foodDataFrom(r), tickedMask));
    return res;
}

}  // namespace nm::foods
