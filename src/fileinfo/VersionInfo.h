#pragma once

#include "FileExists.h"
#include "FileHead.h"

#include "CustomComponent.h"

#include <optional>
#include <string>

enum TFileOs { foUNKNOWN, foDOS, foOS216, foOS232, foNT };
enum TFileTyp { ftUNKNOWN, ftAPP, ftDLL, ftDRV, ftFONT, ftVXD, ftSTATIC_LIB };

// What one retrieval tells about a file; everything empty, false or unknown before it.
struct TVersionInfoValues {
  std::string FileSubTyp;
  std::string CompanyName;
  std::string ProductVersion;
  std::string FileVersion;
  std::string InternalFilename;
  std::string OriginalFilename;
  std::string ProductName;
  std::string Comments;
  std::string Language;
  std::string LegalCopyright;
  std::string LegalTrademarks;
  std::string FileDescription;
  bool Debug = false;
  bool PreRelease = false;
  bool Patched = false;
  bool PrivateBuild = false;
  bool InfoInferred = false;
  bool SpecialBuild = false;
  std::string LastModified;
  std::string LastAccess;
  std::string Created;
  bool Archive = false;
  bool ReadOnly = false;
  bool System = false;
  bool Hidden = false;
  bool VolumeId = false;
  bool AnyFile = false;
  bool Directory = false;
  bool Compressed = false;
  TFileOs FileOs = foUNKNOWN;
  TFileTyp FileTyp = ftUNKNOWN;
  // The fixed part's version numbers, "a.b.c.d"; empty without a fixed part.
  std::string FileVersionNumber;
  std::string ProductVersionNumber;
  // The language and code page keys of every string table, in their order, in upper case
  // and separated by ";": "040904B0;040704B0".
  std::string StringTables;

  bool operator==(const TVersionInfoValues&) const = default;
};

// Reads a file's attributes, its three times as display text, the strings of its version
// resource and the fixed part of that resource, each time a new file name is written, and
// keeps them until the next retrieval. A retrieval never raises: what cannot be read stays
// empty or false. Until a name is written, the program's own executable file is read.
class TVersionInfo : public TCustomComponent {
public:
  explicit TVersionInfo(TComponent* owner);

  void Loaded() override;

  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& value) { FAbout = value.substr(0, 10); }

  const std::string& RetrieveFilename() const { return FRetrieveFilename; }
  // A name other than the stored one (compared exactly) is stored and read at once; the
  // stored one again reads nothing.
  void SetRetrieveFilename(const std::string& value);
  // Reads the stored file again, as it is now.
  void Retrieve();
  // Reads the file a directory search has just found, taking its attributes, times and size
  // from the search's entry rather than asking the file system once more; and its head too,
  // when the caller has read it (ReadFileHeadAndError) for a file whose head is read.
  void RetrieveFound(const std::string& path, const WIN32_FIND_DATAA& entry,
                     const TFileHeadRead* head = nullptr);

  // What the directory search of the last retrieval found; none when it found no file.
  const std::optional<TFileFacts>& FileFacts() const { return FFacts; }
  // The system's error code when the last retrieval could not read the file's bytes (held
  // locked by another program, say), or not find the file it was pointed at; 0 otherwise.
  DWORD ReadError() const { return FReadError; }

  // The first bytes of the file of the last retrieval; none when the retrieval found no
  // file, the file is too short to be a program image, or its bytes could not be read.
  const std::optional<std::string>& FileHead() const { return FHead; }
  // Every output of the last retrieval at once.
  const TVersionInfoValues& Values() const { return FValues; }

  const std::string& FileSubTyp() const { return FValues.FileSubTyp; }
  const std::string& CompanyName() const { return FValues.CompanyName; }
  const std::string& ProductVersion() const { return FValues.ProductVersion; }
  const std::string& FileVersion() const { return FValues.FileVersion; }
  const std::string& InternalFilename() const { return FValues.InternalFilename; }
  const std::string& OriginalFilename() const { return FValues.OriginalFilename; }
  const std::string& ProductName() const { return FValues.ProductName; }
  const std::string& Comments() const { return FValues.Comments; }
  const std::string& Language() const { return FValues.Language; }
  const std::string& LegalCopyright() const { return FValues.LegalCopyright; }
  const std::string& LegalTrademarks() const { return FValues.LegalTrademarks; }
  const std::string& FileDescription() const { return FValues.FileDescription; }
  bool Debug() const { return FValues.Debug; }
  bool PreRelease() const { return FValues.PreRelease; }
  bool Patched() const { return FValues.Patched; }
  bool PrivateBuild() const { return FValues.PrivateBuild; }
  bool InfoInferred() const { return FValues.InfoInferred; }
  bool SpecialBuild() const { return FValues.SpecialBuild; }
  const std::string& LastModified() const { return FValues.LastModified; }
  const std::string& LastAccess() const { return FValues.LastAccess; }
  const std::string& Created() const { return FValues.Created; }
  bool Archive() const { return FValues.Archive; }
  bool ReadOnly() const { return FValues.ReadOnly; }
  bool System() const { return FValues.System; }
  bool Hidden() const { return FValues.Hidden; }
  bool VolumeId() const { return FValues.VolumeId; }
  bool AnyFile() const { return FValues.AnyFile; }
  bool Directory() const { return FValues.Directory; }
  bool Compressed() const { return FValues.Compressed; }
  TFileOs FileOs() const { return FValues.FileOs; }
  TFileTyp FileTyp() const { return FValues.FileTyp; }
  const std::string& FileVersionNumber() const { return FValues.FileVersionNumber; }
  const std::string& ProductVersionNumber() const { return FValues.ProductVersionNumber; }
  const std::string& StringTables() const { return FValues.StringTables; }

private:
  std::string FAbout;
  std::string FRetrieveFilename;
  TVersionInfoValues FValues;
  std::optional<TFileFacts> FFacts;
  DWORD FReadError = 0;

  void RetrieveWith(const std::string& target, std::optional<TFileFacts> facts,
                    const TFileHeadRead* head = nullptr);
  std::optional<std::string> FHead;
};
