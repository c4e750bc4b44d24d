#pragma once
// How the food list reads its rows: table Food in one of the list's sort orders, outer-joined to Group so
// that a food without a group is listed all the same, under the blood-type filter.

#include "foodrows.h"

#include "store/view.h"

#include <QVector>

namespace nm::foods {

// The list's sort orders: 1 by name (first tab), 2 by group name then name (second tab), 3 by name
// (any other sheet state).
enum class FoodOrder { ByName = 1, ByGroup = 2, Other = 3 };

QString foodOrderKey(FoodOrder order);
// The record field the order's locator compares with.
QString foodOrderSearchField(FoodOrder order);
// The order for the sheet's selected tab index (0 the first tab, -1 none).
FoodOrder foodOrderForTab(int tabIndex);

// Sets up a view over Food joined to Group, in the given order.
void configureFoodView(store::View& view, FoodOrder order);

// The food's own fields and its joined group as the list keeps them.
FoodData foodDataFrom(const store::ViewRow& row);
// Only the four ratings, in column order A, B, AB, O: what the row formatting needs of a row.
std::array<int, 4> foodRatings(const store::Record& food);

// Reads every row and formats it for the ticked blood types.
store::Result loadFoodRows(store::View& view, int tickedMask, QVector<FoodRow>& rows);

}  // namespace nm::foods
