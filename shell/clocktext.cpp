#include "clocktext.h"

namespace nm::shell {

namespace {

// Seven names of nine characters each, Sunday first; trailing blanks are dropped when shown.
const QString& weekdayNames() {
    static const QString names =
        QStringLiteral("Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday ");
    return names;
}

QString monthName(int month) {
    static const char* const names[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
    return QLatin1String(names[month - 1]);
}

} // namespace

ClockTexts clockTexts(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    const int weekday = d.dayOfWeek() % 7; // Qt counts Monday as 1 and Sunday as 7
    ClockTexts texts;
    texts.date = weekdayNames().mid(weekday * 9, 9).trimmed() + QStringLiteral(", ") + monthName(d.month()) +
                 QLatin1Char(' ') + QStringLiteral("%1").arg(d.day(), 2) + QStringLiteral(", ") +
                 QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    int hour = t.hour() % 12;
    if (hour == 0)
        hour = 12;
    texts.time = QStringLiteral("%1:%2%3")
                     .arg(hour, 2)
                     .arg(t.minute(), 2, 10, QLatin1Char('0'))
                     .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
    return texts;
}

} // namespace nm::shell
