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

TCharacterSteps::TCharacterSteps(UINT codePage)
    : FCodePage(codePage == CP_ACP ? GetACP() : codePage), FKind(TKind::SingleByte) {
  CPINFO info = {};
  if (FCodePage == CP_UTF8) {
    FKind = TKind::Utf8;
  } else if (GetCPInfo(FCodePage, &info) && info.MaxCharSize == 2) {
    FKind = TKind::DoubleByte;
  }
}

bool TCharacterSteps::IsLeadByte(unsigned char byte) const {
  return FKind == TKind::DoubleByte && IsDBCSLeadByteEx(FCodePage, byte);
}

std::size_t TCharacterSteps::MultiByteSizeAt(const char* text, std::size_t size,
                                             std::size_t at) const {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (FKind == TKind::DoubleByte) {
    return IsLeadByte(lead) && at + 1 < size ? 2 : 1;
  }
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 1;
  if (length > size - at) {
    return 1;
  }
  for (std::size_t next = 1; next < length; ++next) {
    if ((static_cast<unsigned char>(text[at + next]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

std::string AsciiUpperCase(std::string text, UINT codePage) {
  const TCharacterSteps steps(codePage);
  for (std::size_t at = 0; at < text.size(); at += steps.SizeAt(text, at)) {
    char& c = text[at];
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

void CopyWhatFits(std::string_view text, char* buffer, std::size_t size, UINT codePage) {
  std::size_t length = text.size();
  if (length >= size) {
    // Whole characters, as many as leave room for the NUL.
    const TCharacterSteps steps(codePage);
    length = 0;
    for (;;) {
      const std::size_t next = length + steps.SizeAt(text.data(), text.size(), length);
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
  // No flags: UTF-8, where the program declares it, refuses every flag but one.
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
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

std::string SystemErrorText(DWORD error) {
  char text[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  const std::string code = "error " + std::to_string(error);
  return message.empty() ? code : message + " (" + code + ")";
}

std::string HexText(const unsigned char* bytes, std::size_t count, bool upperCase) {
  const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string hex;
  hex.reserve(2 * count);
  for (std::size_t index = 0; index < count; ++index) {
    hex += digits[bytes[index] >> 4];
    hex += digits[bytes[index] & 0xF];
  }
  return hex;
}
