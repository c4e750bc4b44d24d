#include "foodfilter.h"

#include <array>

namespace nm::foods {

namespace {

QString clipped(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    s.truncate(n);
    return s;
}

constexpr int kO = FilterBoxes::kO, kA = FilterBoxes::kA, kB = FilterBoxes::kB, kAB = FilterBoxes::kAB;

QString bloodName(int bit) {
    switch (bit) {
    case kO: return QStringLiteral("O");
    case kA: return QStringLiteral("A");
    case kB: return QStringLiteral("B");
    case kAB: return QStringLiteral("AB");
    }
    return {};
}

// Terms of the expression come in a fixed order per set of ticked blood types; the order does not
// change which foods pass, but the expression text (shown nowhere, yet compared by tests and exports)
// keeps it.
const std::array<QList<int>, 16>& orderOneRating() {
    static const std::array<QList<int>, 16> order = {{
        {kO, kAB, kB, kA},  // none ticked: all four
        {kO},
        {kA},
        {kO, kA},
        {kB},
        {kO, kB},
        {kA, kB},
        {kA, kB, kO},
        {kAB},
        {kO, kAB},
        {kA, kAB},
        {kA, kAB, kO},
        {kB, kAB},
        {kB, kAB, kO},
        {kAB, kB, kA},
        {kO, kAB, kB, kA},
    }};
    return order;
}

}  // namespace

FilterBoxes FilterBoxes::allTicked() {
    FilterBoxes b;
    b.fa = kA;
    b.fb = kB;
    b.fab = kAB;
    b.fo = kO;
    b.fbenefit = kBenefit;
    b.fneutral = kNeutral;
    b.favoid = kAvoid;
    return b;
}

QString filterFieldName(int bloodBit) {
    return QStringLiteral("FOO:Blood") + bloodName(bloodBit);
}

QList<int> expressionFieldOrder(int bloodMask, int ratingsTicked) {
    const int mask = bloodMask & 15;
    if ((mask == 0 || mask == 15) && ratingsTicked == 2)
        return {kAB, kB, kA, kO};
    return orderOneRating()[static_cast<std::size_t>(mask)];
}

QString clearedFilterDescription() {
    return QStringLiteral("No Filter");
}

FoodFilter buildFoodFilter(const FilterBoxes& boxes) {
    const int bloodMask = boxes.bloodMask();
    const int ratingMask = boxes.ratingMask();
    FoodFilter f;

    // Description: rating part, ", ", then the ticked blood types joined by the join word; every
    // piece is taken without its trailing blanks, which is what leaves "Benefit," with no type ticked.
    QString part;
    if (bloodMask == 0 && ratingMask == 0)
        part = QStringLiteral("No Filter");
    if (boxes.fbenefit)
        part = QStringLiteral("Benefit");
    if (boxes.fneutral)
        part = part.isEmpty() ? QStringLiteral("Neutral") : part + QStringLiteral(" + Neutral");
    if (boxes.favoid)
        part = part.isEmpty() ? QStringLiteral("Avoid") : part + QStringLiteral(" + Avoid");

    const QString join = boxes.orBox ? QStringLiteral("OR") : QStringLiteral("AND");
    QString desc = clipped(part + QStringLiteral(", "));
    bool first = true;
    for (int bit : {kO, kA, kB, kAB}) {
        if (!(bloodMask & bit))
            continue;
        if (!first)
            desc = clipped(desc + QLatin1Char(' ') + join + QLatin1Char(' '));
        desc = clipped(desc + QLatin1Char(' ') + bloodName(bit));
        first = false;
    }
    if (ratingMask == 7)
        desc = QStringLiteral("All");
    f.description = desc.left(kFilterDescriptionWidth);
    f.joinWord = join;

    // Expression.
    QList<int> codes;
    for (int code : {4, 2, 1})
        if (ratingMask & code)
            codes << code;
    if (codes.size() == 1 || codes.size() == 2) {
        QStringList terms;
        for (int bit : expressionFieldOrder(bloodMask, int(codes.size()))) {
            const QString field = filterFieldName(bit);
            if (codes.size() == 1)
                terms << field + QStringLiteral(" = ") + QString::number(codes[0]);
            else
                terms << QStringLiteral("(%1 = %2 OR %1 = %3)").arg(field).arg(codes[0]).arg(codes[1]);
        }
        QString expr = terms.join(QLatin1Char(' ') + join + QLatin1Char(' '));
        if (codes.size() == 1)
            expr = QLatin1Char('(') + expr + QLatin1Char(')');
        f.expression = expr.left(kFilterExpressionWidth);
    }
    return f;
}

}  // namespace nm::foods
