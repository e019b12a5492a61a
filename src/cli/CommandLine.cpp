#include "CommandLine.h"

#include "IsoDate.h"
#include "ReportFields.h"

#include "AuditFields.h"
#include "Strings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
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

// The options that take the next argument as their value, unless given as "--name=value".
bool TakesValue(const std::string& arg) {
  static const std::vector<std::string> names = {"-m",
                                                 "--masks",
                                                 "-f",
                                                 "--format",
                                                 "-o",
                                                 "--output",
                                                 "--sort",
                                                 "--attributes",
                                                 "--content",
                                                 "--version-below",
                                                 "--version-at-least",
                                                 "--hash",
                                                 "--compare",
                                                 "--ignore"};
  return std::find(names.begin(), names.end(), arg) != names.end() ||
         std::any_of(DateOptionNames.begin(), DateOptionNames.end(),
                     [&](const TDateOptionName& date) { return arg == date.Name; });
}

// The Windows spellings of two options, taken as their short forms where an option may
// stand: never as an option's value, nor after "--".
std::vector<std::string> WithDosSwitches(const std::vector<std::string>& args) {
  std::vector<std::string> translated;
  bool optionPlace = true;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    const bool alias = optionPlace && !optionsEnded;
    if (alias && (arg == "/s" || arg == "/S")) {
      translated.push_back("-r");
    } else if (alias && arg == "/?") {
      translated.push_back("-h");
    } else {
      translated.push_back(arg);
    }
    optionsEnded = optionsEnded || (optionPlace && arg == "--");
    optionPlace = !(optionPlace && !optionsEnded && TakesValue(arg));
  }
  return translated;
}

// Trims the blanks around each mask of the list: "*.dll; *.exe" finds both kinds.
std::string TrimmedMasks(const std::string& masks) {
  std::string trimmed;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(masks.find(';', start), masks.size());
    const std::string mask = masks.substr(start, end - start);
    const std::size_t first = mask.find_first_not_of(" \t");
    trimmed += first == std::string::npos
                   ? std::string()
                   : mask.substr(first, mask.find_last_not_of(" \t") - first + 1);
    if (end == masks.size()) {
      return trimmed;
    }
    trimmed += ';';
    start = end + 1;
  }
}

std::vector<std::uint32_t> ParseVersion(const char* option, const std::string& text) {
  std::vector<std::uint32_t> numbers = StatedVersion(text);
  if (numbers.empty() || numbers.size() > 4) {
    throw CLI::ValidationError(option, "\"" + text + "\" is not a version such as 10.0.19041");
  }
  return numbers;
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

std::vector<TFieldGroup> ParseDigests(const std::vector<std::string>& names) {
  std::vector<TFieldGroup> groups;
  for (const std::string& name : names) {
    const std::string digest = AsciiUpperCase(name);
    if (digest == "SHA256") {
      groups.push_back(TFieldGroup::Sha256);
    } else if (digest == "SHA1") {
      groups.push_back(TFieldGroup::Sha1);
    } else if (digest == "MD5") {
      groups.push_back(TFieldGroup::Md5);
    } else if (digest == "AUTHENTICODE") {
      groups.push_back(TFieldGroup::AuthenticodeSha256);
    } else {
      throw CLI::ValidationError("--hash", "unknown digest \"" + name + "\"");
    }
  }
  return groups;
}

// A field the run writes: one of an option the command line leaves out is no field to sort by.
std::size_t ParseField(const std::string& key, const std::vector<TFieldGroup>& groups) {
  const int field = FindReportField(key);
  const std::vector<std::size_t> written = WrittenFields(groups);
  if (field < 0 || std::find(written.begin(), written.end(), field) == written.end()) {
    throw CLI::ValidationError("--sort", "no field of this run is called \"" + key + "\"");
  }
  return static_cast<std::size_t>(field);
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
  app.add_option("--sort", sort, "Sort by this field of the CSV header, by its value")
      ->type_name("FIELD");
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
  std::string below;
  std::string atLeast;
  app.add_option("--version-below", below, "Only files whose fixed file version is below V")
      ->type_name("V");
  app.add_option("--version-at-least", atLeast, "Only files whose fixed file version is at least V")
      ->type_name("V");
  bool signatures = false;
  std::vector<std::string> digests;
  app.add_flag("--signatures", signatures,
               "Add each program image's signature: verdict, source, signer, issuer, thumbprint "
               "and time stamp");
  app.add_flag("--require-signed", options.RequireSigned,
               "End with 6 when a program image listed is not validly signed");
  app.add_option("--hash", digests, "Add these digests: sha256, sha1, md5, authenticode")
      ->delimiter(',')
      ->type_name("LIST");
  std::vector<std::string> ignored;
  CLI::Option* compare =
      app.add_option("--compare", options.Compare,
                     "Write only what differs from BASELINE, the JSON Lines of an earlier -f json "
                     "run; end with 1 when anything does")
          ->type_name("BASELINE");
  app.add_option("--ignore", ignored, "With --compare: do not compare these fields")
      ->delimiter(',')
      ->type_name("LIST")
      ->needs(compare);
  app.add_flag("-q,--quiet", options.Quiet, "No progress (errors are still written)");
  app.add_flag("--verbose", options.Verbose, "Also name the system folders left out");

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
    options.Masks = TrimmedMasks(options.Masks);
    if (signatures) {
      options.FieldGroups.push_back(TFieldGroup::Signatures);
    }
    const std::vector<TFieldGroup> digestGroups = ParseDigests(digests);
    options.FieldGroups.insert(options.FieldGroups.end(), digestGroups.begin(), digestGroups.end());
    if (!sort.empty()) {
      options.SortField = ParseField(sort, options.FieldGroups);
    }
    for (const std::string& key : ignored) {
      const int field = FindReportField(key);
      if (field < 0) {
        throw CLI::ValidationError("--ignore", "no field is called \"" + key + "\"");
      }
      options.Ignored.push_back(static_cast<std::size_t>(field));
    }
    if (!below.empty()) {
      options.VersionBelow = ParseVersion("--version-below", below);
    }
    if (!atLeast.empty()) {
      options.VersionAtLeast = ParseVersion("--version-at-least", atLeast);
    }
    if (!attributes.empty()) {
      options.Attributes = ParseAttributes(attributes);
    }
    for (std::size_t bound = 0; bound < DateBoundCount; ++bound) {
      if (dates[bound].empty()) {
        continue;
      }
      const std::optional<TIsoBound> value =
          ParseIsoDate(dates[bound], DateOptionNames[bound].EndOfDay);
      if (!value) {
        throw CLI::ValidationError(DateOptionNames[bound].Name,
                                   "\"" + dates[bound] + "\" is not an ISO 8601 date");
      }
      options.DateBounds.push_back({DateOptionNames[bound].Bound, value->Value, value->Exclusive});
    }
  } catch (const CLI::CallForHelp&) {
    return THelpRequest{app.help()};
  } catch (const CLI::ParseError& error) {
    throw EUsageError(error.what(), app.help());
  }
  return options;
}
