#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The text with the ASCII letters a to z in upper case; every other byte as it is, whatever
// the code page.
std::string AsciiUpperCase(std::string text);

// The conversions at the boundary with the system's wide functions, sized from their input
// so that a text of any length converts whole. Both use the ANSI code page.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);

// Copies as much of the text as fits into the buffer of size bytes (more than 0), with its
// terminating NUL. A cut falls between characters of the code page, never inside one.
void CopyWhatFits(const std::string& text, char* buffer, std::size_t size, UINT codePage = CP_ACP);

// A list of strings, whoever holds them: a plain list in memory, or a control's items.
class TStrings {
public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  // Appends the string; answers its index.
  virtual int Add(const std::string& s) = 0;
  virtual void Clear() = 0;

  // Replaces every string by those of the source.
  void Assign(const TStrings& source);
};

// The strings held in memory.
class TStringList final : public TStrings {
public:
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override { return FItems.at(index); }
  int Add(const std::string& s) override;
  void Clear() override { FItems.clear(); }

private:
  std::vector<std::string> FItems;
};
