#include "ShellText.h"

#include "ItemIdList.h"

#include <cstring>

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

std::string StrRetText(STRRET& value, LPCITEMIDLIST item) {
  switch (value.uType) {
  case STRRET_WSTR: {
    std::string text = AnsiFromWide(value.pOleStr);
    if (IMalloc* malloc = ShellMalloc()) {
      malloc->Free(value.pOleStr);
    }
    value.pOleStr = nullptr;
    return text;
  }
  case STRRET_OFFSET: {
    // The text lies in the item's first record; it ends there at the latest.
    if (item == nullptr || value.uOffset >= item->mkid.cb) {
      return {};
    }
    const char* text = reinterpret_cast<const char*>(item) + value.uOffset;
    return std::string(text, strnlen(text, item->mkid.cb - value.uOffset));
  }
  case STRRET_CSTR:
    return std::string(value.cStr, strnlen(value.cStr, sizeof value.cStr));
  default:
    return {};
  }
}
