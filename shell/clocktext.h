#pragma once
// The texts of the main frame's status-bar clock.

#include <QDateTime>
#include <QString>

namespace nm::shell {

struct ClockTexts {
    QString date; // zone 3: "Sunday, January  7, 2007"
    QString time; // zone 4: " 9:05AM"
};

ClockTexts clockTexts(const QDateTime& now);

} // namespace nm::shell
