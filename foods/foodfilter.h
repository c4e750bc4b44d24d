#pragma once
// The food list's blood-type filter: from the eight filter boxes to the one-line description shown in
// LOC:FILTEREDBY and the filter expression handed to the list's view. No widgets here.

#include <QString>
#include <QStringList>
#include <cstdint>

namespace nm::foods {

// Each box holds 0 when unticked and its own value when ticked.
struct FilterBoxes {
    // Values when ticked.
    static constexpr std::uint8_t kBenefit = 4, kNeutral = 2, kAvoid = 1;
    static constexpr std::uint8_t kO = 1, kA = 2, kB = 4, kAB = 8;
    static constexpr std::uint8_t kOr = 1;

    std::uint8_t fa = 0, fb = 0, fab = 0, fo = 0;
    std::uint8_t fbenefit = 0, fneutral = 0, favoid = 0;
    std::uint8_t orBox = 0;

    // How the window opens: every rating and blood-type box ticked, OR unticked.
    static FilterBoxes allTicked();

    int bloodMask() const { return fo + fa + fb + fab; }          // O 1, A 2, B 4, AB 8
    int ratingMask() const { return fbenefit + fneutral + favoid; }  // 0..7
    bool operator==(const FilterBoxes&) const = default;
};

struct FoodFilter {
    QString description;   // LOC:FILTEREDBY, at most 80 characters, no trailing blanks
    QString expression;    // empty: no filter; at most 200 characters
    QString joinWord;      // "AND" or "OR"
};

inline constexpr int kFilterDescriptionWidth = 80;
inline constexpr int kFilterExpressionWidth = 200;

FoodFilter buildFoodFilter(const FilterBoxes& boxes);

// What "Clear filter" shows; the builder is not involved.
QString clearedFilterDescription();

// The blood types, by their mask bit, in the order the expression names them for these boxes.
QList<int> expressionFieldOrder(int bloodMask, int ratingsTicked);

// The field name a filter expression uses for a blood type bit ("FOO:BloodO" ...).
QString filterFieldName(int bloodBit);

}  // namespace nm::foods
