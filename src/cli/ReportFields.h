#pragma once

#include "ReportOptions.h"
#include "ReportRow.h"

#include <string>
#include <string_view>
#include <vector>

// The fields of a row in CSV and JSON: the window's eighteen columns (with the last-write
// time's key spelled "LastModified"), then the audit fields, then the fields a run asks for,
// in this order.
enum class TFieldKind {
  Text,          // compared as the window compares texts
  Size,          // a number of bytes
  LocalTime,     // a window time column, ordered by the UTC time it shows
  StatedVersion, // FileVersion, ProductVersion: by the numbers they state, then as text
  FixedVersion,  // "a.b.c.d", by its numbers
  UtcTime,       // ISO 8601 UTC, whose text order is time order
  Flag,          // true or false
};

struct TReportField {
  std::string_view Key;
  TFieldKind Kind;
  TFieldGroup Group = TFieldGroup::Always;
  // Where an audit field is held; a cell has neither.
  std::string TAuditFields::*Text = nullptr;
  bool TAuditFields::*IsSet = nullptr;
};

const std::vector<TReportField>& ReportFields();
// The fields a run writes, in order: those of every run and those of the groups asked for.
std::vector<std::size_t> WrittenFields(const std::vector<TFieldGroup>& groups);
// The field's text in the row (UTF-8 for the cells: the caller converts).
std::string FieldText(const TReportRow& row, std::size_t field);
// The same in UTF-8, as CSV and JSON give it.
std::string FieldUtf8Text(const TReportRow& row, std::size_t field);
// Sets an audit field from its text; not a cell, nor the path.
void SetFieldText(TReportRow& row, std::size_t field, const std::string& text);
// The field of the key, letter case aside; the window's caption "LastMidified" is taken as
// well as "LastModified". -1 when there is none.
int FindReportField(const std::string& key);

// The key a row sorts by in a field: keys compared byte by byte order rows by the field's
// value (sizes as numbers, times by time, versions by their numbers, texts as the window
// compares them).
std::string FieldSortKey(const TReportRow& row, std::size_t field);
