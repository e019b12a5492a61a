#include "SearchDateTime.h"

TSearchDateTime::TSearchDateTime() {
  TryEncodeDateTime({.Year = 1990, .Month = 1, .Day = 1}, FValue);
}

void TSearchDateTime::SetDay(int value) {
  SetPart(&TDateTimeParts::Day, value);
}
void TSearchDateTime::SetMonth(int value) {
  SetPart(&TDateTimeParts::Month, value);
}
void TSearchDateTime::SetYear(int value) {
  SetPart(&TDateTimeParts::Year, value);
}
void TSearchDateTime::SetHour(int value) {
  SetPart(&TDateTimeParts::Hour, value);
}
void TSearchDateTime::SetMinute(int value) {
  SetPart(&TDateTimeParts::Minute, value);
}
void TSearchDateTime::SetSecond(int value) {
  SetPart(&TDateTimeParts::Second, value);
}

void TSearchDateTime::SetPart(int TDateTimeParts::*part, int value) {
  TDateTimeParts parts = DecodeDateTime(FValue);
  parts.*part = value;
  TryEncodeDateTime(parts, FValue);
}
