#pragma once
// Date-times as the program keeps them: days since 1899-12-30 with the time of
// day as the fraction (2006-08-23 09:49:05 is about 38952.409).
namespace trovex::fs {

struct CalendarDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

// Days since 1899-12-30 of a proleptic Gregorian date (negative before it).
double EncodeDate(int year, int month, int day);

// EncodeDate plus the time of day as a fraction of 24 hours.
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond = 0);

// The calendar date a date-time falls on (the whole days, counted down for negative values).
CalendarDate DecodeDate(double dateTime);

}  // namespace trovex::fs
