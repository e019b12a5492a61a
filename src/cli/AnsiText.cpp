#include "AnsiText.h"

#include <windows.h>

namespace {

std::string Converted(const std::string& text, UINT from, UINT to) {
  const int length = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(from, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  const int wideLength = static_cast<int>(wide.size());
  std::string converted(static_cast<std::size_t>(WideCharToMultiByte(to, 0, wide.data(), wideLength,
                                                                     nullptr, 0, nullptr, nullptr)),
                        '\0');
  WideCharToMultiByte(to, 0, wide.data(), wideLength, converted.data(),
                      static_cast<int>(converted.size()), nullptr, nullptr);
  return converted;
}

} // namespace

// Where the program's code page is UTF-8 the text already is what it is asked to be.
std::string AnsiToUtf8(const std::string& text) {
  return text.empty() || GetACP() == CP_UTF8 ? text : Converted(text, CP_ACP, CP_UTF8);
}

std::string Utf8ToAnsi(const std::string& text) {
  return text.empty() || GetACP() == CP_UTF8 ? text : Converted(text, CP_UTF8, CP_ACP);
}
