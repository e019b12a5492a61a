#include "ReportRows.h"

#include <cstdint>
#include <random>

namespace {

using TRandom = std::mt19937;

const char* const Stems[] = {"msvcrt",
                             "kernel",
                             "shell",
                             "comctl",
                             "setup",
                             "Uninstall",
                             "d3dx9_",
                             "vcruntime",
                             "Qt5Core",
                             "libssl",
                             "readme",
                             "oleaut",
                             "Update",
                             "mfc",
                             "atl",
                             "KOV",
                             "wininet",
                             "x",
                             "Microsoft.VisualBasic",
                             "api-ms-win-core-synch-l1-2-",
                             "_setup"};
const char* const Extensions[] = {".dll", ".exe", ".ocx", ".cpl", ".sys", ".txt", ".DLL", ""};
const char* const Companies[] = {"Microsoft Corporation", "KOV", "The Qt Company Ltd.",
                                 "OpenSSL Project", "Acme, Inc."};
const char* const Products[] = {"Microsoft\xAE Windows\xAE Operating System", "KOVQuillet", "Qt5",
                                "The OpenSSL Toolkit", "DirectX"};
const char* const Types[] = {"Application extension", "Application", "ActiveX control",
                             "Control Panel item",    "System file", "Text Document"};
const char* const Attributes[] = {"A", "A", "RA", "", "HSA", "R"};
const char* const Folders[] = {"C:\\Windows\\System32\\", "C:\\Windows\\SysWOW64\\",
                               "C:\\Program Files\\Common Files\\System\\ado\\",
                               "C:\\Program Files (x86)\\KOV\\KOVQuillet\\",
                               "C:\\Users\\Public\\Documents\\"};

template <typename TItem, std::size_t N>
const TItem& Pick(TRandom& random, const TItem (&items)[N]) {
  return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

int Number(TRandom& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

std::string Name(TRandom& random) {
  std::string name = Pick(random, Stems);
  if (Number(random, 0, 2) > 0) {
    name += std::to_string(Number(random, 0, 2000));
  }
  return name + Pick(random, Extensions);
}

std::string Version(TRandom& random) {
  return std::to_string(Number(random, 1, 12)) + "." + std::to_string(Number(random, 0, 99)) + "." +
         std::to_string(Number(random, 0, 22000)) + "." + std::to_string(Number(random, 0, 9999));
}

// A time as the locale's short date and long time show it.
std::string Time(TRandom& random) {
  std::string text = std::to_string(Number(random, 1, 12));
  text += '/';
  text += std::to_string(Number(random, 1, 28));
  text += '/';
  text += std::to_string(Number(random, 1995, 2024));
  if (Number(random, 0, 9) > 0) {
    const int hour = Number(random, 0, 23);
    text += ' ';
    text += std::to_string(hour % 12 == 0 ? 12 : hour % 12);
    text += ':';
    text += std::to_string(Number(random, 10, 59));
    text += ':';
    text += std::to_string(Number(random, 10, 59));
    text += hour < 12 ? " AM" : " PM";
  }
  return text;
}

// Sizes spread over every order of magnitude, as files are.
std::string Size(TRandom& random) {
  const int digits = Number(random, 0, 9);
  std::int64_t size = Number(random, 0, 9);
  for (int digit = 0; digit < digits; ++digit) {
    size = size * 10 + Number(random, 0, 9);
  }
  return std::to_string(size);
}

std::vector<std::string> Row(TRandom& random) {
  std::vector<std::string> cells = {Name(random)};
  if (Number(random, 0, 2) == 0) {
    cells.insert(cells.end(), 10, std::string());
  } else {
    const std::string version = Version(random);
    const std::string company = Pick(random, Companies);
    const std::string original = Name(random);
    cells.insert(cells.end(), {version, original + " library", original, Pick(random, Products),
                               version, Number(random, 0, 4) == 0 ? "Built by KOV" : "",
                               original.substr(0, original.find('.')), company,
                               "\xA9 " + company + ". All rights reserved.",
                               Number(random, 0, 3) == 0 ? company + " is a trademark" : ""});
  }
  cells.insert(cells.end(), {Time(random), Time(random), Time(random), Pick(random, Attributes),
                             Pick(random, Folders), Pick(random, Types), Size(random)});
  return cells;
}

} // namespace

std::vector<std::vector<std::string>> MakeReportRows(int count, unsigned seed) {
  TRandom random(seed);
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<std::size_t>(count));
  for (int row = 0; row < count; ++row) {
    rows.push_back(Row(random));
  }
  return rows;
}
