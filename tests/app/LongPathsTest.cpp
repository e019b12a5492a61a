#include "MainWindowTest.h"
#include "ResultRowFixtures.h"

#include "UniqueHandle.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

class LongPathsTest : public TMainWindowTest {};

// Creates a file whose full path may be longer than the 259 characters the ANSI functions
// take without the "\\?\" prefix.
void CreateLongFile(const std::string& path, const std::string& content) {
  const std::wstring wide(path.begin(), path.end()); // the test's paths are ASCII
  const TFileHandle file(CreateFileW((L"\\\\?\\" + wide).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path.size();
  DWORD written = 0;
  ASSERT_TRUE(
      WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
}

TEST_F(LongPathsTest, LongNamesDeepFoldersAndFormatCharactersAllGetTheirRows) {
  TTempTree tree;
  std::vector<std::string> names;
  for (const std::size_t length : {259, 260, 261}) {
    ASSERT_LT(tree.Root().size() + 6, length);
    const std::string name = std::string(length - tree.Root().size() - 5, 'n') + ".txt";
    CreateLongFile(tree.Path(name), "12345");
    names.push_back(name);
  }
  tree.File("%s%n%x.txt", "abc");
  names.push_back("%s%n%x.txt");
  std::string deep;
  for (int level = 0; level < 100; ++level) {
    deep += level == 0 ? "d" : "\\d";
    tree.Folder(deep);
  }
  tree.File(deep + "\\deep.txt", "x");
  names.push_back("deep.txt");

  TMainWindowSession session(Log());
  ASSERT_TRUE(SearchAndWait(session, tree.Root(), "*.txt", true));
  const TListView& list = *session.Form().ListView;
  std::vector<std::string> shown;
  for (int row = 0; row < list.ItemCount(); ++row) {
    const std::vector<std::string> cells = RowTexts(list, row);
    shown.push_back(cells[rcName]);
    const std::string path = cells[rcDirectory] + cells[rcName];
    // What the ANSI functions reach shows its facts; a longer path shows its name alone.
    if (path.size() < MAX_PATH) {
      EXPECT_NE(cells[rcLastModified], "") << path;
    }
  }
  EXPECT_EQ(Sorted(shown), Sorted(names));
  EXPECT_EQ(StatusText(session.Form(), 1), "Found: " + std::to_string(names.size()));
}

} // namespace
