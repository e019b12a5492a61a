#include "CommandLine.h"

#include "IsoDate.h"
#include "ResultColumns.h"
#include "Strings.h"

#include <CLI/CLI.hpp>

#include <array>

namespace {

struct TDateOptionName {
  const char* Name;
  TLookFor Bound;
  bool EndOfDay;
};
constexpr std::array<TDateOptionName, DateBoundCount> DateOptionNames = {{
    {"--created-after", lfCreateAfter, false},
    {"--created-before", lfCreateBefore, true},
    {"--accessed-after", lfAccessedAfter, false},
    {"--accessed-before", lfAccessedBefore, true},
    {"--modified-after", lfModifiedAfter, false},
    {"--modified-before", lfModifiedBefore, true},
}};

// The Windows spellings of two options, taken as their short forms.
std::vector<std::string> WithDosSwitches(const std::vector<std::string>& args) {
  std::vector<std::string> translated;
  for (const std::string& arg : args) {
    if (arg == "/s" || arg == "/S") {
      translated.push_back("-r");
    } else if (arg == "/?") {
      translated.push_back("-h");
    } else {
      translated.push_back(arg);
    }
  }
  return translated;
}

TFileGrepAttributes ParseAttributes(const std::vector<std::string>& words) {
  TFileGrepAttributes attributes;
  for (const std::string& word : words) {
    const std::string name = AsciiUpperCase(word);
    if (name == "R" || name == "READONLY") {
      attributes.Include(fmReadOnly);
    } else if (name == "H" || name == "HIDDEN") {
      attributes.Include(fmHidden);
    } else if (name == "S" || name == "SYSTEM") {
      attributes.Include(fmSystem);
    } else if (name == "A" || name == "ARCHIVE") {
      attributes.Include(fmArchive);
    } else if (name == "ANY") {
      attributes.Include(fmAnyfile);
    } else {
      throw CLI::ValidationError("--attributes", "unknown attribute \"" + word + "\"");
    }
  }
  return attributes;
}

int ParseColumn(const std::string& caption) {
  for (int column = 0; column < ResultColumnCount; ++column) {
    if (AsciiUpperCase(std::string(ResultColumnCaptions[column])) == AsciiUpperCase(caption)) {
      return column;
    }
  }
  throw CLI::ValidationError("--sort", "no column is called \"" + caption + "\"");
}

} // namespace

std::variant<TReportOptions, THelpRequest> ParseCommandLine(const std::vector<std::string>& args) {
  CLI::App app("Lists files with their version resources, times, attributes, type and size.",
               "quillet");
  TReportOptions options;
  std::string format = "report";
  std::string sort;
  std::vector<std::string> attributes;
  std::array<std::string, DateBoundCount> dates;
  app.add_option("FOLDER", options.Folders, "Folders to search, in turn")->required();
  app.add_option("-m,--masks", options.Masks, "Mask list, as in the window's mask box")
      ->capture_default_str();
  app.add_flag("-r,--recurse", options.Recurse, "Include subfolders (also /s)");
  app.add_option("-f,--format", format, "report, csv or json")
      ->check(CLI::IsMember({"report", "csv", "json"}))
      ->capture_default_str();
  app.add_option("-o,--output", options.Output, "Write to FILE instead of standard output")
      ->type_name("FILE");
  app.add_option("--sort", sort, "Sort by the column of this caption")->type_name("COLUMN");
  app.add_flag("--descending", options.Descending, "Sort the other way");
  app.add_option("--attributes", attributes,
                 "Only files with all of these: readonly, hidden, system, archive (or r,h,s,a)")
      ->delimiter(',')
      ->type_name("LIST");
  for (std::size_t bound = 0; bound < DateBoundCount; ++bound) {
    app.add_option(DateOptionNames[bound].Name, dates[bound],
                   "ISO 8601 local date or date and time; both ends count")
        ->type_name("DATE");
  }
  app.add_option("--content", options.Content, "Only files that hold this text")->type_name("TEXT");
  app.add_flag("--case-sensitive", options.CaseSensitive, "Match the content's case");
  app.add_flag("-q,--quiet", options.Quiet, "No progress");

  const std::vector<std::string> translated = WithDosSwitches(args);
  std::vector<const char*> argv = {"quillet"};
  for (const std::string& arg : translated) {
    argv.push_back(arg.c_str());
  }
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
    options.Format = format == "csv"    ? TReportFormat::Csv
                     : format == "json" ? TReportFormat::Json
                                        : TReportFormat::Report;
    if (!sort.empty()) {
      options.SortColumn = ParseColumn(sort);
    }
    if (!attributes.empty()) {
      options.Attributes = ParseAttributes(attributes);
    }
    for (std::size_t bound = 0; bound < DateBoundCount; ++bound) {
      if (dates[bound].empty()) {
        continue;
      }
      const std::optional<TDateTime> value =
          ParseIsoDate(dates[bound], DateOptionNames[bound].EndOfDay);
      if (!value) {
        throw CLI::ValidationError(DateOptionNames[bound].Name,
                                   "\"" + dates[bound] + "\" is not an ISO 8601 date");
      }
      options.DateBounds.push_back({DateOptionNames[bound].Bound, *value});
    }
  } catch (const CLI::CallForHelp&) {
    return THelpRequest{app.help()};
  } catch (const CLI::ParseError& error) {
    throw EUsageError(error.what(), app.help());
  }
  return options;
}
