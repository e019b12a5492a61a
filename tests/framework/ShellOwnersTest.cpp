#include "ComPtr.h"
#include "ItemIdList.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

namespace {

// A COM object that counts its references and knows only IUnknown.
class TCounted final : public IUnknown {
public:
  ULONG References = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++References; }
  ULONG STDMETHODCALLTYPE Release() override { return --References; }
};

TEST(ComPtrTest, EachReferenceIsReleasedOnceAndQueriesFillAnotherOwner) {
  TCounted object;
  {
    TComPtr<IUnknown> first(&object); // takes over the reference the object was born with
    TComPtr<IUnknown> copy = first;
    EXPECT_EQ(object.References, 2u);
    TComPtr<IUnknown> moved(std::move(copy));
    EXPECT_FALSE(copy);
    EXPECT_EQ(object.References, 2u);

    TComPtr<IUnknown> asked;
    EXPECT_EQ(first.QueryInterface(IID_IUnknown, asked), S_OK);
    EXPECT_EQ(asked.get(), &object);
    EXPECT_EQ(object.References, 3u);
    TComPtr<IShellFolder> refused;
    EXPECT_EQ(first.QueryInterface(IID_IShellFolder, refused), E_NOINTERFACE);
    EXPECT_FALSE(refused);
    EXPECT_EQ(object.References, 3u);

    *moved.put() = nullptr; // an out parameter drops what the owner held
    EXPECT_EQ(object.References, 2u);
  }
  EXPECT_EQ(object.References, 0u);
}

// The absolute list of a path, as the desktop parses it.
TItemIdList Parsed(const wchar_t* path) {
  TItemIdList list;
  SHParseDisplayName(path, nullptr, list.put(), 0, nullptr);
  return list;
}

TEST(ItemIdListTest, CopiesJoinsAndSplitsKeepTheRecordsInTheShellsMemory) {
  ASSERT_EQ(CoInitialize(nullptr), S_OK);
  {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring system = std::wstring(windows) + L"\\system32";
    const TItemIdList folder = Parsed(windows);
    const TItemIdList full = Parsed(system.c_str());
    ASSERT_TRUE(folder);
    ASSERT_TRUE(full);

    const TItemIdList empty = TItemIdList::Empty();
    EXPECT_EQ(TItemIdList::Size(empty.get()), 2u);
    EXPECT_EQ(empty.get()->mkid.cb, 0);

    const TItemIdList copy = TItemIdList::Copy(full.get());
    EXPECT_NE(copy.get(), full.get());
    EXPECT_EQ(TItemIdList::Size(copy.get()), TItemIdList::Size(full.get()));
    EXPECT_EQ(std::memcmp(copy.get(), full.get(), TItemIdList::Size(full.get())), 0);
    EXPECT_EQ(ShellMalloc()->DidAlloc(copy.get()), 1);

    auto [rest, last] = TItemIdList::SplitLast(full.get());
    EXPECT_TRUE(ILIsEqual(rest.get(), folder.get()));
    EXPECT_EQ(TItemIdList::Size(rest.get()) + TItemIdList::Size(last.get()) - 2,
              TItemIdList::Size(full.get()));
    const TItemIdList joined = TItemIdList::Join(folder.get(), last.get());
    EXPECT_TRUE(ILIsEqual(joined.get(), full.get()));
    EXPECT_TRUE(ILIsEqual(TItemIdList::Join(empty.get(), full.get()).get(), full.get()));

    const auto [noRest, noLast] = TItemIdList::SplitLast(empty.get());
    EXPECT_FALSE(noRest);
    EXPECT_FALSE(noLast);
  }
  CoUninitialize();
}

} // namespace
