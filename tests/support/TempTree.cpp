#include "TempTree.h"

#include "FolderLink.h"

#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <winioctl.h>

TTempTree::TTempTree() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string base = std::string(temp) + "kovtest-" + std::to_string(GetCurrentProcessId());
  for (int n = 0;; ++n) {
    FRoot = base + "-" + std::to_string(n);
    if (CreateDirectoryA(FRoot.c_str(), nullptr)) {
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create " << FRoot;
      break;
    }
  }
}

TTempTree::~TTempTree() {
  RemoveTree(FRoot);
}

void TTempTree::Folder(const std::string& relative, DWORD attributes) const {
  const std::string path = Path(relative);
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY)) << path;
  }
}

void TTempTree::File(const std::string& relative, const std::string& content,
                     DWORD attributes) const {
  const std::string path = Path(relative);
  {
    const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                          nullptr));
  }
  if (attributes != 0) {
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
  }
}

void TTempTree::SparseFile(const std::string& relative, std::uint64_t size) const {
  const std::string path = Path(relative);
  const TFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD returned = 0;
  // Where sparse files are not supported the file is simply extended.
  DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file.get()));
}

namespace {

enum class TEntryKind { File, Folder, FolderLink };

// Calls action with the path and kind of every entry of the folder but "." and "..".
template <typename TAction>
void ForEachEntry(const std::string& folder, TAction action) {
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (!find) {
    return;
  }
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") {
      continue;
    }
    const DWORD attributes = entry.dwFileAttributes;
    const TEntryKind kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ? TEntryKind::File
                            : (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                                ? TEntryKind::FolderLink
                                : TEntryKind::Folder;
    action(folder + "\\" + name, kind);
  } while (FindNextFileA(find.get(), &entry));
}

void RemoveFolderLinks(const std::string& folder) {
  ForEachEntry(folder, [](const std::string& path, TEntryKind kind) {
    if (kind == TEntryKind::Folder) {
      RemoveFolderLinks(path);
    } else if (kind == TEntryKind::FolderLink) {
      RemoveFolderLink(path); // the link, not the folder it leads to
    }
  });
}

void RemoveFoldersAndFiles(const std::string& folder) {
  ForEachEntry(folder, [](const std::string& path, TEntryKind kind) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (kind == TEntryKind::Folder) {
      RemoveFoldersAndFiles(path);
    } else {
      DeleteFileA(path.c_str());
    }
  });
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

} // namespace

void RemoveTree(const std::string& folder) {
  // Links go first: Wine neither shows nor removes a link whose folder has gone.
  RemoveFolderLinks(folder);
  RemoveFoldersAndFiles(folder);
}
