#pragma once

#include "DateTime.h"

// One date bound of a search, by its parts. A part set to a value that makes no date (the
// 31st of a 30-day month, hour 24) leaves the value unchanged.
class TSearchDateTime {
public:
  TSearchDateTime();

  TDateTime Value() const { return FValue; }
  void Assign(const TSearchDateTime& source) { FValue = source.FValue; }

  int Day() const { return DecodeDateTime(FValue).Day; }
  int Month() const { return DecodeDateTime(FValue).Month; }
  int Year() const { return DecodeDateTime(FValue).Year; }
  int Hour() const { return DecodeDateTime(FValue).Hour; }
  int Minute() const { return DecodeDateTime(FValue).Minute; }
  int Second() const { return DecodeDateTime(FValue).Second; }

  void SetDay(int value);
  void SetMonth(int value);
  void SetYear(int value);
  void SetHour(int value);
  void SetMinute(int value);
  void SetSecond(int value);

private:
  void SetPart(int TDateTimeParts::*part, int value);

  TDateTime FValue;
};
