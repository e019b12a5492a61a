#include "TempTree.h"

#include "framework/win/UniqueHandle.h"

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

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  const TFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  if (find) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") {
        continue;
      }
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      const DWORD link = FILE_ATTRIBUTE_REPARSE_POINT;
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
          (entry.dwFileAttributes & link) == 0) {
        RemoveTree(path);
      } else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveDirectoryA(path.c_str()); // a link to a folder: remove the link, not the target
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find.get(), &entry));
  }
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}
