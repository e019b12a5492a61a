#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Steps through a text character by character in a code page: single-byte, double-byte
// (where the second byte of a character may be that of "\" or of a letter) or UTF-8
// (sequences of two to four bytes, none of them below 0x80). Code that reads text byte by
// byte steps with it, so that it never cuts, splits or folds inside a character.
class TCharacterSteps {
public:
  // CP_ACP stands for the process's ANSI code page: UTF-8 where the program declares it.
  explicit TCharacterSteps(UINT codePage = CP_ACP);

  // The size in bytes of the character that begins at text[at], at < size: 1 for a
  // single byte and for a broken sequence, never past the end.
  std::size_t SizeAt(const char* text, std::size_t size, std::size_t at) const {
    return FKind == TKind::SingleByte ? 1 : MultiByteSizeAt(text, size, at);
  }
  std::size_t SizeAt(const std::string& text, std::size_t at) const {
    return SizeAt(text.data(), text.size(), at);
  }
  // Whether a byte below 0x80 may stand inside a character: true for double-byte code pages.
  bool HasAsciiTrailBytes() const { return FKind == TKind::DoubleByte; }
  // Whether the byte may begin a double-byte character.
  bool IsLeadByte(unsigned char byte) const;

private:
  enum class TKind { SingleByte, DoubleByte, Utf8 };
  std::size_t MultiByteSizeAt(const char* text, std::size_t size, std::size_t at) const;

  UINT FCodePage;
  TKind FKind;
};

// The text with the ASCII letters a to z in upper case where they stand as characters of
// the code page; every other byte as it is.
std::string AsciiUpperCase(std::string text, UINT codePage = CP_ACP);

// The conversions at the boundary with the system's wide functions, sized from their input
// so that a text of any length converts whole. Both use the ANSI code page.
std::wstring WideFromAnsi(const std::string& text);
std::string AnsiFromWide(const wchar_t* text);

// The system's message for an error code, without its closing period, and the code:
// "Access denied (error 5)".
std::string SystemErrorText(DWORD error);

// The bytes as hex digits, two a byte, in lower or upper case.
std::string HexText(const unsigned char* bytes, std::size_t count, bool upperCase = false);

// Copies as much of the text as fits into the buffer of size bytes (more than 0), with its
// terminating NUL. A cut falls between characters of the code page, never inside one.
void CopyWhatFits(std::string_view text, char* buffer, std::size_t size, UINT codePage = CP_ACP);

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
