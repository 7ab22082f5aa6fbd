#include "qxsdk/core/QXTime.h"

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <new>

namespace QXSDK {

namespace {

const int kFirstYear = 1900;
// 100-nanosecond intervals between 1601-01-01 and 1970-01-01, and per second.
const unsigned long long kUnixEpochFileTime = 116444736000000000ULL;
const unsigned long long kIntervalsPerSecond = 10000000ULL;
// 3000-12-31 23:59:59 UTC, the last second the C runtime's 64-bit breakdown
// accepts on Windows (Wine's accepts more; the limit is kept here).
const long long kLastBrokenDownSecond = 32535215999LL;

// Stores value in field when it lies in [low, high]; answers 1 then, else 0.
int storeWithin(int& field, unsigned int value, unsigned int low, unsigned int high)
{
    if (value < low || value > high) return 0;
    field = static_cast<int>(value);
    return 1;
}

// The C runtime's base-10 long conversion of the text from start to end; an
// empty text gives 0.
int decimal(const char* start, const char* end)
{
    QXString field;
    field.assign(start, static_cast<int>(end - start));
    return static_cast<int>(std::strtol(field.getData() ? field.getData() : "", nullptr, 10));
}

bool fitsWord(int value)
{
    return value >= 0 && value <= 0xFFFF;
}

} // namespace

QXTime::QXTime()
    : QXObject(), year(kFirstYear), month(0), day(0), hour(0), minute(0), second(0), millisecond(0)
{
    appendTypeName("QXTime");
}

QXTime::QXTime(unsigned long long fileTime) : QXTime()
{
    setFileTime(fileTime);
}

QXTime::QXTime(const QXTime& other)
    : QXObject(), year(other.year), month(other.month), day(other.day), hour(other.hour), minute(other.minute),
      second(other.second), millisecond(other.millisecond)
{
    appendTypeName("QXTime");
}

QXTime::~QXTime()
{
}

int QXTime::getDay() { return day; }
int QXTime::getHour() { return hour; }
int QXTime::getMinute() { return minute; }
int QXTime::getMonth() { return month; }
int QXTime::getSecond() { return second; }
unsigned long long QXTime::getTime() { return getFileTime(); }
int QXTime::getYear() { return year; }

bool QXTime::breakDown(std::tm& parts)
{
    const unsigned long long fileTime = getFileTime();
    if (fileTime < kUnixEpochFileTime) return false;
    const __time64_t seconds = static_cast<__time64_t>((fileTime - kUnixEpochFileTime) / kIntervalsPerSecond);
    if (seconds > kLastBrokenDownSecond) return false;
    const std::tm* utc = _gmtime64(&seconds);
    if (!utc) return false;
    parts = *utc;
    return true;
}

int QXTime::getDayOfYear()
{
    std::tm parts;
    return breakDown(parts) ? parts.tm_yday : -1;
}

int QXTime::getDayOfWeek()
{
    std::tm parts;
    return breakDown(parts) ? parts.tm_wday : -1;
}

int QXTime::setDay(unsigned int value)
{
    if (value > 31 || !isValidDate(year, month, static_cast<int>(value))) return 0;
    day = static_cast<int>(value);
    return 1;
}

int QXTime::setHour(unsigned int value) { return storeWithin(hour, value, 0, 23); }
int QXTime::setMinute(unsigned int value) { return storeWithin(minute, value, 0, 59); }
int QXTime::setMonth(unsigned int value) { return storeWithin(month, value, 1, 12); }
int QXTime::setSecond(unsigned int value) { return storeWithin(second, value, 0, 59); }

int QXTime::setTime(unsigned long long fileTime)
{
    return setFileTime(fileTime);
}

int QXTime::setYear(int value)
{
    if (value < kFirstYear) return 0;
    year = value;
    return 1;
}

QXString QXTime::toString()
{
    QXString text;
    text.format("%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

QXString QXTime::toDateString()
{
    QXString text;
    text.format("%04d-%02d-%02d", year, month, day);
    return text;
}

int QXTime::setMillisecond(int value)
{
    millisecond = value;
    return 1;
}

int QXTime::getMillisecond() { return millisecond; }

void QXTime::reset()
{
    year = kFirstYear;
    month = day = hour = minute = second = millisecond = 0;
}

int QXTime::parse(QXString text)
{
    const char* rest = text.getData() ? text.getData() : "";
    // Takes the text before the first separator off the rest.
    auto take = [&rest](char separator, int& field) {
        const char* at = std::strchr(rest, separator);
        if (!at) return false;
        field = decimal(rest, at);
        rest = at + 1;
        return true;
    };
    if (!take('-', year) || !take('-', month) || !take(' ', day) || !take(':', hour) || !take(':', minute)) {
        reset();
        return 0;
    }
    second = decimal(rest, rest + std::strlen(rest));
    return 1;
}

int QXTime::setFileTime(unsigned long long fileTime)
{
    FILETIME platform;
    platform.dwLowDateTime = static_cast<DWORD>(fileTime & 0xFFFFFFFFULL);
    platform.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME calendar;
    if (!FileTimeToSystemTime(&platform, &calendar)) return 0;
    year = calendar.wYear;
    month = calendar.wMonth;
    day = calendar.wDay;
    hour = calendar.wHour;
    minute = calendar.wMinute;
    second = calendar.wSecond;
    millisecond = calendar.wMilliseconds;
    return 1;
}

int QXTime::isValidDate(int y, int m, int d)
{
    return d >= 1 && d <= getDaysInMonth(y, static_cast<unsigned int>(m)) ? 1 : 0;
}

int QXTime::getDaysInMonth(int y, unsigned int m)
{
    switch (m) {
    case 2: return isLeapYear(y) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    default: return 0;
    }
}

int QXTime::isLeapYear(int y)
{
    return (y % 400 == 0 || (y % 4 == 0 && y % 100 != 0)) ? 1 : 0;
}

unsigned long long QXTime::getFileTime()
{
    // Checked here rather than left to the platform, which is not equally
    // strict everywhere (Wine converts 29 February of any year).
    for (int field : {year, month, day, hour, minute, second, millisecond})
        if (!fitsWord(field)) return 0;
    if (!isValidDate(year, month, day) || hour > 23 || minute > 59 || second > 59 || millisecond > 999) return 0;
    SYSTEMTIME calendar;
    std::memset(&calendar, 0, sizeof calendar);
    calendar.wYear = static_cast<WORD>(year);
    calendar.wMonth = static_cast<WORD>(month);
    calendar.wDay = static_cast<WORD>(day);
    calendar.wHour = static_cast<WORD>(hour);
    calendar.wMinute = static_cast<WORD>(minute);
    calendar.wSecond = static_cast<WORD>(second);
    calendar.wMilliseconds = static_cast<WORD>(millisecond);
    FILETIME platform;
    if (!SystemTimeToFileTime(&calendar, &platform)) return 0;
    return (static_cast<unsigned long long>(platform.dwHighDateTime) << 32) | platform.dwLowDateTime;
}

QXObject* QXTime::clone()
{
    QXTime* copy = new (std::nothrow) QXTime(*this);
    if (copy) copy->retain();
    return copy;
}

} // namespace QXSDK
