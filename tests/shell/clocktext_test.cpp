// The status-bar clock texts of the main frame.
#include "shell/clocktext.h"

#include <gtest/gtest.h>

using nm::shell::clockTexts;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, 37));
}

TEST(ClockTexts, DateAndTimeZones) {
    const struct {
        QDateTime when;
        const char* date;
        const char* time;
    } cases[] = {
        {at(2007, 1, 7, 9, 5), "Sunday, January  7, 2007", " 9:05AM"},
        {at(2007, 1, 8, 0, 0), "Monday, January  8, 2007", "12:00AM"},
        {at(2007, 1, 8, 0, 59), "Monday, January  8, 2007", "12:59AM"},
        {at(2007, 1, 8, 12, 0), "Monday, January  8, 2007", "12:00PM"},
        {at(2007, 1, 8, 12, 30), "Monday, January  8, 2007", "12:30PM"},
        {at(2007, 1, 8, 13, 1), "Monday, January  8, 2007", " 1:01PM"},
        {at(2007, 1, 8, 11, 59), "Monday, January  8, 2007", "11:59AM"},
        {at(2007, 1, 8, 23, 59), "Monday, January  8, 2007", "11:59PM"},
        {at(2024, 12, 25, 10, 10), "Wednesday, December 25, 2024", "10:10AM"},
        {at(2000, 2, 29, 18, 45), "Tuesday, February 29, 2000", " 6:45PM"},
        {at(2026, 9, 10, 7, 0), "Thursday, September 10, 2026", " 7:00AM"},
        {at(2026, 9, 19, 7, 0), "Saturday, September 19, 2026", " 7:00AM"},
    };
    for (const auto& c : cases) {
        const auto texts = clockTexts(c.when);
        EXPECT_EQ(texts.date, QString::fromLatin1(c.date)) << c.when.toString().toStdString();
        EXPECT_EQ(texts.time, QString::fromLatin1(c.time)) << c.when.toString().toStdString();
    }
}

TEST(ClockTexts, EveryMonthAndWeekdayName) {
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_TRUE(clockTexts(at(2007, m, 15, 8, 0))
                        .date.contains(QStringLiteral(", %1 15, 2007").arg(QLatin1String(months[m - 1]))))
            << m;
    // 7 January 2007 was a Sunday.
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int d = 0; d < 7; ++d)
        EXPECT_TRUE(clockTexts(at(2007, 1, 7 + d, 8, 0))
                        .date.startsWith(QLatin1String(days[d]) + QStringLiteral(", January ")))
            << d;
}

} // namespace
