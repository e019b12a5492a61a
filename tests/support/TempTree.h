#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// A folder tree made for one test under the temporary folder, removed with everything in it
// when the test ends. Paths given to its members are relative to its root.
class TTempTree {
public:
  TTempTree();
  ~TTempTree();
  TTempTree(const TTempTree&) = delete;
  TTempTree& operator=(const TTempTree&) = delete;

  // The root, without a trailing backslash.
  const std::string& Root() const { return FRoot; }
  // The full path of a relative path.
  std::string Path(const std::string& relative) const { return FRoot + "\\" + relative; }

  void Folder(const std::string& relative, DWORD attributes = 0) const;
  void File(const std::string& relative, const std::string& content = "",
            DWORD attributes = 0) const;
  // A sparse file of the given size, whose bytes take no room on disk where the file system
  // allows it.
  void SparseFile(const std::string& relative, std::uint64_t size) const;

private:
  std::string FRoot;
};

// Removes a folder and everything in it, whatever their attributes.
void RemoveTree(const std::string& folder);
