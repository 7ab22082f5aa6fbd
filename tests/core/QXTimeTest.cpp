#include "qxsdk/core/QXTime.h"
#include "tests/support/QXStringPrinting.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace QXSDK;

namespace {

bool leap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Days since 1970-01-01 of a date, counted day by day from the epoch: an
// independent calendar to compare with.
struct Calendar {
    int year = 1970, month = 1, day = 1, weekday = 4 /* a Thursday */, dayOfYear = 0;
    void next()
    {
        static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const int length = month == 2 && leap(year) ? 29 : lengths[month - 1];
        weekday = (weekday + 1) % 7;
        ++dayOfYear;
        if (++day > length) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
                dayOfYear = 0;
            }
        }
    }
};

} // namespace

TEST(QXTime, DefaultValueAndItsText)
{
    QXTime time;
    EXPECT_STREQ("QXObject.QXTime", time.getTypeName());
    EXPECT_EQ("1900-00-00 00:00:00", time.toString());
    EXPECT_EQ("1900-00-00", time.toDateString());
    EXPECT_EQ(0ULL, time.getFileTime()); // month 0 is no date
    EXPECT_EQ(-1, time.getDayOfWeek());
}

TEST(QXTime, SettersCheckTheirOwnField)
{
    QXTime time;
    EXPECT_EQ(0, time.setMonth(13));
    EXPECT_EQ(0, time.setMonth(0));
    EXPECT_EQ(0, time.setHour(24));
    EXPECT_EQ(0, time.setMinute(60));
    EXPECT_EQ(0, time.setSecond(60));
    EXPECT_EQ(0, time.setYear(1899));
    EXPECT_EQ(1900, time.getYear());
    EXPECT_EQ(1, time.setYear(2012));
    EXPECT_EQ(1, time.setMonth(2));
    EXPECT_EQ(1, time.setDay(29));
    EXPECT_EQ(0, time.setDay(30));
    EXPECT_EQ(0, time.setDay(0));
    EXPECT_EQ(0, time.setDay(0xFFFFFFFFu));
    EXPECT_EQ(1, time.setYear(1900));
    EXPECT_EQ(0, time.setDay(29));
    EXPECT_EQ(29, time.getDay()); // kept: the year change did not check it
    EXPECT_EQ(0ULL, time.getFileTime()); // 1900-02-29 does not exist
    EXPECT_EQ(1, time.setYear(2000));
    EXPECT_EQ(1, time.setDay(29));
    EXPECT_EQ(1, time.setMillisecond(-5));
    EXPECT_EQ(-5, time.getMillisecond());
    time.reset();
    EXPECT_EQ("1900-00-00 00:00:00", time.toString());
    EXPECT_EQ(0, time.getMillisecond());
}

TEST(QXTime, CalendarRules)
{
    QXTime time;
    EXPECT_EQ(0, time.getDaysInMonth(2011, 0));
    EXPECT_EQ(0, time.getDaysInMonth(2011, 13));
    EXPECT_EQ(28, time.getDaysInMonth(1900, 2));
    EXPECT_EQ(29, time.getDaysInMonth(2000, 2));
    EXPECT_EQ(29, time.getDaysInMonth(2012, 2));
    EXPECT_EQ(30, time.getDaysInMonth(2011, 11));
    EXPECT_EQ(31, time.getDaysInMonth(2011, 12));
    EXPECT_EQ(1, time.isValidDate(2011, 12, 31));
    EXPECT_EQ(0, time.isValidDate(2011, 4, 31));
    EXPECT_EQ(0, time.isLeapYear(2100));
    EXPECT_EQ(1, time.isLeapYear(2400));
}

TEST(QXTime, WeekdayAndDayOfYearMatchAnIndependentCalendarFrom1970To2100)
{
    QXTime time;
    Calendar calendar;
    int days = 0;
    while (calendar.year <= 2100) {
        time.parse(QXString((std::to_string(calendar.year) + "-" + std::to_string(calendar.month) + "-" +
                             std::to_string(calendar.day) + " 12:00:00").c_str()));
        ASSERT_EQ(calendar.weekday, time.getDayOfWeek()) << testing::PrintToString(time.toString());
        ASSERT_EQ(calendar.dayOfYear, time.getDayOfYear()) << testing::PrintToString(time.toString());
        calendar.next();
        ++days;
    }
    EXPECT_EQ(47847, days);
    time.parse(QXString("2011-07-22 00:00:00"));
    EXPECT_EQ(5, time.getDayOfWeek());
    EXPECT_EQ(202, time.getDayOfYear());
    time.parse(QXString("1969-12-31 23:59:59"));
    EXPECT_EQ(-1, time.getDayOfWeek()); // before the C runtime's range
    time.parse(QXString("3001-01-01 00:00:00"));
    EXPECT_EQ(-1, time.getDayOfYear()); // after it
}

TEST(QXTime, FileTimesRoundTrip)
{
    QXTime time;
    EXPECT_EQ(1, time.setFileTime(0));
    EXPECT_EQ("1601-01-01 00:00:00", time.toString());
    std::mt19937 random(2026);
    QXTime copy;
    for (int i = 0; i < 5000; ++i) {
        QXTime original;
        original.setYear(1601 + static_cast<int>(random() % 8000));
        original.setMonth(1 + random() % 12);
        original.setDay(1 + random() % original.getDaysInMonth(original.getYear(), original.getMonth()));
        original.setHour(random() % 24);
        original.setMinute(random() % 60);
        original.setSecond(random() % 60);
        original.setMillisecond(static_cast<int>(random() % 1000));
        const unsigned long long fileTime = original.getFileTime();
        ASSERT_NE(0ULL, fileTime) << testing::PrintToString(original.toString());
        ASSERT_EQ(1, copy.setTime(fileTime));
        ASSERT_EQ(original.toString(), copy.toString());
        ASSERT_EQ(original.getMillisecond(), copy.getMillisecond());
        ASSERT_EQ(fileTime, QXTime(fileTime).getTime());
    }
    EXPECT_EQ(0, time.setFileTime(0x8000000000000000ULL)); // beyond the platform's calendar
    EXPECT_EQ("1601-01-01 00:00:00", time.toString());
}

TEST(QXTime, ParseAcceptsWhatTheFormatGivesAndResetsOnMissingFields)
{
    QXTime time;
    EXPECT_EQ(1, time.parse(QXString("2011-07-22 13:05:09")));
    EXPECT_EQ(2011, time.getYear());
    EXPECT_EQ(7, time.getMonth());
    EXPECT_EQ(22, time.getDay());
    EXPECT_EQ(13, time.getHour());
    EXPECT_EQ(5, time.getMinute());
    EXPECT_EQ(9, time.getSecond());
    EXPECT_EQ("2011-07-22 13:05:09", time.toString());

    for (const char* bad : {"2011-07-22", "2011-07-22 13:05", "2011", "", "2011/07/22 13:05:09"}) {
        time.parse(QXString("2011-07-22 13:05:09"));
        EXPECT_EQ(0, time.parse(QXString(bad))) << bad;
        EXPECT_EQ("1900-00-00 00:00:00", time.toString()) << bad;
    }
    EXPECT_EQ(0, time.parse(QXString(static_cast<const char*>(nullptr))));

    // No range checks, signs and blanks as the C runtime reads them, empty fields 0.
    EXPECT_EQ(1, time.parse(QXString(" +2011--7-45  -3:x:99 ")));
    EXPECT_EQ(2011, time.getYear());
    EXPECT_EQ(0, time.getMonth());
    EXPECT_EQ(7, time.getDay()); // "7-45" reads as 7
    EXPECT_EQ(-3, time.getHour());
    EXPECT_EQ(0, time.getMinute()); // "x"
    EXPECT_EQ(99, time.getSecond());
}

TEST(QXTime, WideValuesAreFormattedInFull)
{
    QXTime time;
    time.parse(QXString("123456-100-2000 300:4000:50000"));
    EXPECT_EQ("123456-100-2000 300:4000:50000", time.toString());
    EXPECT_EQ("123456-100-2000", time.toDateString());
    EXPECT_EQ(0ULL, time.getFileTime());
}

TEST(QXTime, CloneAndCopyKeepEveryField)
{
    QXTime time;
    time.parse(QXString("2020-02-29 23:59:58"));
    time.setMillisecond(7);
    QXTime* copy = dynamic_cast<QXTime*>(time.clone());
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("2020-02-29 23:59:58", copy->toString());
    EXPECT_EQ(7, copy->getMillisecond());
    EXPECT_EQ(0, copy->release());
}
