#pragma once

#include <array>
#include <string_view>

// The result list's columns in their fixed order: the file name, the ten version strings,
// the three times, the attribute letters, the directory, the shell type and the size. These
// captions head the list, the saved report and every format of the console report.
constexpr int ResultColumnCount = 18;
constexpr int NameColumn = 0;
constexpr int AttributesColumn = 14;
constexpr int DirectoryColumn = 15;
constexpr int TypeColumn = 16;
constexpr int SizeColumn = 17;
constexpr std::array<std::string_view, ResultColumnCount> ResultColumnCaptions = {
    "Name",
    "FileVersion",
    "Description",
    "OriginalFileName",
    "ProductName",
    "ProductVersion",
    "Comments",
    "InternalName",
    "CompanyName",
    "Copyright",
    "LegalTrademarks",
    "Created",
    "LastAccess",
    "LastMidified",
    "Attributes",
    "Directory",
    "Type",
    "Size"};
