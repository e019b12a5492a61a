#include "FitStatus.h"

#include "Paths.h"
#include "Strings.h"

namespace {

const char* const Ellipsis = "...";
const std::string EllipsisFolder = "...\\";

// Texts are read in characters of the code page: the second byte of a double-byte character
// may be the byte of a backslash, and a UTF-8 character has up to four bytes.
std::size_t LastCharacter(const std::string& text, UINT codePage) {
  const TCharacterSteps steps(codePage);
  std::size_t last = 0;
  for (std::size_t position = 0; position < text.size(); position += steps.SizeAt(text, position)) {
    last = position;
  }
  return last;
}

// "\a\b\" becomes "\...\b\", and "\...\b\" becomes "\...\".
std::string CutFirstFolder(std::string part, UINT codePage) {
  if (part == "\\") {
    return {};
  }
  const bool rooted = part[0] == '\\';
  if (rooted) {
    part.erase(0, 1);
  }
  if (part.starts_with(EllipsisFolder)) {
    part.erase(0, EllipsisFolder.size());
  }
  const std::size_t backslash = NextDelimiter(part, "\\", 0, codePage);
  part =
      backslash == std::string::npos ? std::string() : EllipsisFolder + part.substr(backslash + 1);
  return rooted ? "\\" + part : part;
}

} // namespace

std::string ShortenFolderPath(const std::string& path, int width, const TTextWidth& measure,
                              UINT codePage) {
  // A folder named with its trailing backslash keeps it as part of its last name.
  const bool trailing = path.size() > 1 && EndsWithBackslash(path, codePage);
  const std::size_t split =
      LastDelimiter(trailing ? path.substr(0, path.size() - 1) : path, "\\:", codePage);
  std::string folder = split == std::string::npos ? std::string() : path.substr(0, split + 1);
  const std::string name = path.substr(folder.size());
  std::string drive;
  if (folder.size() >= 2 && folder[1] == ':') {
    drive = folder.substr(0, 2);
    folder.erase(0, 2);
  }
  std::string result = path;
  while ((!folder.empty() || !drive.empty()) && measure(result) > width) {
    if (folder == "\\" + EllipsisFolder) {
      drive.clear();
      folder = EllipsisFolder;
    } else if (!folder.empty()) {
      folder = CutFirstFolder(folder, codePage);
    } else {
      drive.clear();
    }
    result = drive + folder + name;
  }
  return result;
}

std::string ShortenText(const std::string& text, int width, const TTextWidth& measure,
                        UINT codePage) {
  std::string remaining = text;
  std::string result = text;
  while (!remaining.empty() && measure(result) > width) {
    remaining.erase(LastCharacter(remaining, codePage));
    result = remaining + Ellipsis;
  }
  return result;
}
