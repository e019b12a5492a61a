#include "AnsiText.h"

#include <windows.h>

std::string AnsiToUtf8(const std::string& text) {
  // Where the program's code page is UTF-8 the text already is.
  if (text.empty() || GetACP() == CP_UTF8) {
    return text;
  }
  const int length = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  const int wideLength = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(),
                      static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}
