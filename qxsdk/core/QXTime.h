#pragma once

#include "qxsdk/core/QXObject.h"
#include "qxsdk/core/QXString.h"

#include <ctime>

namespace QXSDK {

// A calendar date and time without a time zone (values made from file times
// are coordinated universal time): year, month, day, hour, minute, second and
// millisecond. Setters check their own field only and answer 0, changing
// nothing, for a value they refuse. Text form: "YYYY-MM-DD hh:mm:ss".
class QXTime : public virtual QXObject {
public:
    // 1900, every other field 0.
    QXTime();
    // From a platform file time; the default value when it cannot be converted.
    explicit QXTime(unsigned long long fileTime);
    QXTime(const QXTime& other);
    QXTime& operator=(const QXTime& other) = default;
    ~QXTime() override;

    virtual int getDay();
    // 0 for 1 January; -1 outside 1970 to 3000.
    virtual int getDayOfYear();
    // 0 for Sunday; -1 outside 1970 to 3000.
    virtual int getDayOfWeek();
    virtual int getHour();
    virtual int getMinute();
    virtual int getMonth();
    virtual int getSecond();
    // The same as getFileTime.
    virtual unsigned long long getTime();
    virtual int getYear();
    // Accepted when the date stays valid in the current year and month.
    virtual int setDay(unsigned int day);
    virtual int setHour(unsigned int hour);
    virtual int setMinute(unsigned int minute);
    // 1 to 12; the day is not checked again.
    virtual int setMonth(unsigned int month);
    virtual int setSecond(unsigned int second);
    // The same as setFileTime.
    virtual int setTime(unsigned long long fileTime);
    // 1900 and later; the day is not checked again.
    virtual int setYear(int year);
    virtual QXString toString();
    virtual QXString toDateString();
    virtual int setMillisecond(int millisecond);
    virtual int getMillisecond();
    // Back to the default value.
    virtual void reset();
    // Reads "YYYY-MM-DD hh:mm:ss" without checking ranges; a text without
    // all five separators resets the value and answers 0.
    virtual int parse(QXString text);
    // From a platform file time (100 ns since 1601, UTC); 0 when it cannot
    // be converted.
    virtual int setFileTime(unsigned long long fileTime);
    virtual int isValidDate(int year, int month, int day);
    virtual int getDaysInMonth(int year, unsigned int month);
    virtual int isLeapYear(int year);
    // The platform file time of the fields; 0 when they form no valid date.
    virtual unsigned long long getFileTime();

    // A new QXTime with the same fields, retained once.
    QXObject* clone() override;

private:
    // The C runtime's breakdown of the value as UTC; false outside its range.
    bool breakDown(std::tm& parts);

    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
    int millisecond;
};

} // namespace QXSDK
