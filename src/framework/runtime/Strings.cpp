#include "Strings.h"

#include <cstring>
#include <cwchar>

void TStrings::Assign(const TStrings& source) {
  if (&source == this) {
    return;
  }
  Clear();
  for (int i = 0; i < source.Count(); ++i) {
    Add(source.Get(i));
  }
}

int TStringList::Add(const std::string& s) {
  FItems.push_back(s);
  return Count() - 1;
}

std::string AsciiUpperCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

void CopyWhatFits(const std::string& text, char* buffer, std::size_t size, UINT codePage) {
  std::size_t length = text.size();
  if (length >= size) {
    // Whole characters, as many as leave room for the NUL.
    length = 0;
    for (;;) {
      const std::size_t next =
          length + (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[length])) ? 2 : 1);
      if (next > size - 1) {
        break;
      }
      length = next;
    }
  }
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.data(), size, wide.data(), length);
  return wide;
}

std::string AnsiFromWide(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') {
    return {};
  }
  const int size = static_cast<int>(std::wcslen(text));
  const int length = WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}
