// The folder dialog and its tree of the shell namespace, hosted in the test
// process; the tree is driven with the keys and selections a user makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/QovDesktopApp.h"
#include "app/QovDesktopDialog.h"
#include "settings/FolderTree.h"
#include "settings/SettingPages.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

struct Item {
  HTREEITEM handle;
  std::string text;
  int children;  // the item's child count: 1 shows an expand button
  const FolderItemData* record;
};

std::vector<Item> Children(HWND tree, HTREEITEM parent) {
  std::vector<Item> items;
  for (HTREEITEM item = TreeView_GetChild(tree, parent); item;
       item = TreeView_GetNextSibling(tree, item)) {
    char text[MAX_PATH] = "";
    TVITEMA data = {};
    data.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    items.push_back({item, text, data.cChildren,
                     reinterpret_cast<const FolderItemData*>(data.lParam)});
  }
  return items;
}

std::string ParsingName(const FolderItemData* record) {
  STRRET name = {};
  char text[MAX_PATH] = "";
  if (record && SUCCEEDED(record->parentFolder->GetDisplayNameOf(record->relativeId,
                                                                   SHGDN_FORPARSING, &name)))
    StrRetToBufA(&name, record->relativeId, text, MAX_PATH);
  return text;
}

const Item* FindByParsingName(const std::vector<Item>& items, const std::string& name) {
  for (const Item& item : items)
    if (lstrcmpiA(ParsingName(item.record).c_str(), name.c_str()) == 0) return &item;
  return nullptr;
}

// Selects an item as a click would, then presses a key on the tree.
void Select(HWND tree, HTREEITEM item) { SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }
void Key(HWND tree, UINT key) {
  SendMessageA(tree, WM_KEYDOWN, key, 1);
  SendMessageA(tree, WM_KEYUP, key, 0xC0000001);
}
void Expand(HWND tree, HTREEITEM item) {
  Select(tree, item);
  Key(tree, VK_RIGHT);
}

// A namespace folder that answers no question about its items.
struct SilentFolder : IShellFolder {
  STDMETHODIMP QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, PIDLIST_RELATIVE*, ULONG*) override { return E_FAIL; }
  STDMETHODIMP EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_FAIL; }
  STDMETHODIMP BindToObject(PCUIDLIST_RELATIVE, LPBC, REFIID, void**) override { return E_FAIL; }
  STDMETHODIMP BindToStorage(PCUIDLIST_RELATIVE, LPBC, REFIID, void**) override { return E_FAIL; }
  STDMETHODIMP CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override { return E_FAIL; }
  STDMETHODIMP CreateViewObject(HWND, REFIID, void**) override { return E_FAIL; }
  STDMETHODIMP GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override { return E_FAIL; }
  STDMETHODIMP GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**) override { return E_FAIL; }
  STDMETHODIMP GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override { return E_FAIL; }
  STDMETHODIMP SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*) override { return E_FAIL; }
};

const char kMyComputer[] = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

class FolderTree : public AppTest {};

TEST_F(FolderTree, RootIsTheDesktopsFoldersInTheShellsOrder) {
  CWallPaperDirDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND tree = GetDlgItem(dialog.m_hWnd, 1046);
  EXPECT_EQ(WindowText(dialog.m_hWnd), "壁紙のディレクトリ");
  EXPECT_NE(TreeView_GetImageList(tree, TVSIL_NORMAL), nullptr);

  const std::vector<Item> root = Children(tree, TVI_ROOT);
  ASSERT_GE(root.size(), 2u);
  IShellFolder* desktop = nullptr;
  ASSERT_HRESULT_SUCCEEDED(SHGetDesktopFolder(&desktop));
  for (size_t i = 0; i < root.size(); ++i) {
    ASSERT_NE(root[i].record, nullptr);
    EXPECT_FALSE(root[i].text.empty());
    // Sorted by the desktop folder's own comparison, not as enumerated.
    if (i > 0) {
      EXPECT_LE(static_cast<short>(HRESULT_CODE(desktop->CompareIDs(
                    0, root[i - 1].record->relativeId, root[i].record->relativeId))),
                0)
          << root[i - 1].text << " / " << root[i].text;
    }
    // An expand button exactly for the folders that say they have sub-folders.
    LPCITEMIDLIST id = root[i].record->relativeId;
    ULONG attributes = SFGAO_HASSUBFOLDER | SFGAO_FOLDER;
    ASSERT_HRESULT_SUCCEEDED(desktop->GetAttributesOf(1, &id, &attributes));
    EXPECT_TRUE(attributes & SFGAO_FOLDER) << root[i].text;
    EXPECT_EQ(root[i].children, (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0) << root[i].text;
    // Root items' full identifiers are their own elements.
    EXPECT_EQ(ILGetSize(root[i].record->absoluteId), ILGetSize(id));
  }
  desktop->Release();
  // Wine's desktop has one such folder (the recycle bin): no button on it.
  EXPECT_NE(std::count_if(root.begin(), root.end(), [](const Item& i) { return i.children == 0; }), 0);
  dialog.DestroyWindow();
}

TEST_F(FolderTree, LevelsAreReadOnceAndSelectionGivesTheParsingName) {
  const std::string base = "C:\\qov_tree";
  CreateDirectoryA(base.c_str(), nullptr);
  CreateDirectoryA((base + "\\b_empty").c_str(), nullptr);
  CreateDirectoryA((base + "\\a_full").c_str(), nullptr);
  CreateDirectoryA((base + "\\a_full\\sub").c_str(), nullptr);
  CloseHandle(CreateFileA((base + "\\c_file.bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, 0, nullptr));

  CWallPaperDirDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND tree = GetDlgItem(dialog.m_hWnd, 1046);
  const Item* computer = FindByParsingName(Children(tree, TVI_ROOT), kMyComputer);
  ASSERT_NE(computer, nullptr);
  const HTREEITEM computerItem = computer->handle;
  Expand(tree, computerItem);
  const std::vector<Item> drives = Children(tree, computerItem);
  ASSERT_FALSE(drives.empty());
  // Collapsed and expanded again: the same items, not a second reading.
  Key(tree, VK_LEFT);
  EXPECT_EQ(TreeView_GetItemState(tree, computerItem, TVIS_EXPANDED) & TVIS_EXPANDED, 0u);
  Expand(tree, computerItem);
  const std::vector<Item> again = Children(tree, computerItem);
  ASSERT_EQ(again.size(), drives.size());
  for (size_t i = 0; i < drives.size(); ++i) EXPECT_EQ(again[i].handle, drives[i].handle);

  // Down the file system to the test's folders.
  const Item* drive = FindByParsingName(drives, base.substr(0, 3));
  ASSERT_NE(drive, nullptr) << base;
  HTREEITEM item = drive->handle;
  Select(tree, item);
  EXPECT_EQ(dialog.m_wndTree.m_strPath, base.substr(0, 3));
  std::string path = base.substr(0, 2);
  for (size_t start = 3; start <= base.size();) {
    size_t end = base.find('\\', start);
    if (end == std::string::npos) end = base.size();
    path += "\\" + base.substr(start, end - start);
    Expand(tree, item);
    const Item* next = FindByParsingName(Children(tree, item), path);
    ASSERT_NE(next, nullptr) << path;
    item = next->handle;
    start = end + 1;
  }
  Expand(tree, item);
  const std::vector<Item> mine = Children(tree, item);
  ASSERT_EQ(mine.size(), 2u);  // folders only, no file
  EXPECT_EQ(mine[0].text, "a_full");
  EXPECT_EQ(mine[1].text, "b_empty");
  // The absolute identifier joins the parent's with the item's element.
  const auto* parent = reinterpret_cast<const FolderItemData*>(dialog.m_wndTree.GetItemData(item));
  ASSERT_NE(parent, nullptr);
  for (const Item& child : mine) {
    EXPECT_EQ(ILGetSize(child.record->relativeId), ILGetSize(ILFindLastID(child.record->absoluteId)));
    LPITEMIDLIST joined = ILCombine(parent->absoluteId, child.record->relativeId);
    EXPECT_TRUE(ILIsEqual(joined, child.record->absoluteId)) << child.text;
    ILFree(joined);
  }
  // The shell may say "has sub-folders" of any folder; it must say it of a_full.
  EXPECT_EQ(mine[0].children, 1);
  Select(tree, mine[1].handle);
  EXPECT_EQ(dialog.m_wndTree.m_strPath, base + "\\b_empty");
  // Then an item whose parsing name cannot be had: no path, not the last one.
  static SilentFolder silent;
  auto* record = static_cast<FolderItemData*>(CoTaskMemAlloc(sizeof(FolderItemData)));
  *record = {&silent, nullptr, nullptr};
  TVINSERTSTRUCTA insert = {};
  insert.hParent = item;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>("silent");
  insert.item.lParam = reinterpret_cast<LPARAM>(record);
  Select(tree, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
  EXPECT_EQ(dialog.m_wndTree.m_strPath, "");
  dialog.DestroyWindow();
  RemoveDirectoryA((base + "\\a_full\\sub").c_str());
  RemoveDirectoryA((base + "\\a_full").c_str());
  RemoveDirectoryA((base + "\\b_empty").c_str());
  DeleteFileA((base + "\\c_file.bmp").c_str());
  RemoveDirectoryA(base.c_str());
}

// Opens the folder dialog, reads My Computer and selects the C: drive.
void OpenAndBrowse() {
  CWallPaperDirDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND tree = GetDlgItem(dialog.m_hWnd, 1046);
  const Item* computer = FindByParsingName(Children(tree, TVI_ROOT), kMyComputer);
  ASSERT_NE(computer, nullptr);
  Expand(tree, computer->handle);
  const Item* drive = FindByParsingName(Children(tree, computer->handle), "C:\\");
  ASSERT_NE(drive, nullptr);
  Select(tree, drive->handle);
  dialog.DestroyWindow();
}

TEST_F(FolderTree, WallPaperPageTakesTheFolderChosenOrNoneOnOk) {
  CWallPaperSettingPropertyPage page;
  fw::CPropertySheet sheet("設定");
  sheet.AddPage(&page);
  std::string chosen = "<not run>", none = "<not run>";
  std::unique_ptr<ModalDriver> folder;
  ModalDriver driver([] { return FindOwnedDialog(nullptr, "設定"); }, [&](HWND s) {
    HWND wallPaper = reinterpret_cast<HWND>(SendMessageA(s, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND browse = GetDlgItem(wallPaper, 1014);
    folder = std::make_unique<ModalDriver>([s] { return FindOwnedDialog(s, "壁紙のディレクトリ"); },
                                           [](HWND dialog) {
      HWND tree = GetDlgItem(dialog, 1046);
      const Item* computer = FindByParsingName(Children(tree, TVI_ROOT), kMyComputer);
      if (computer) {
        Expand(tree, computer->handle);
        if (const Item* drive = FindByParsingName(Children(tree, computer->handle), "C:\\"))
          Select(tree, drive->handle);
      }
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(browse, BM_CLICK, 0, 0);
    chosen = WindowText(GetDlgItem(wallPaper, 1013));
    // Again, with OK before any selection.
    folder = std::make_unique<ModalDriver>([s] { return FindOwnedDialog(s, "壁紙のディレクトリ"); },
                                           [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDOK, 0); });
    SendMessageA(browse, BM_CLICK, 0, 0);
    none = WindowText(GetDlgItem(wallPaper, 1013));
    SendMessageA(s, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(chosen, "C:\\");
  EXPECT_EQ(none, "");
  EXPECT_EQ(page.m_strDirectory, "");
}

// Counts the task allocator's blocks allocated and not yet freed while it
// is registered.
class AllocationSpy : public IMallocSpy {
 public:
  long live = 0;
  long total = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IMallocSpy) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) override {
    if (actual) ++live, ++total;
    return actual;
  }
  void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override {
    if (request && spied) --live;
    return request;
  }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest,
                                      BOOL) override {
    *newRequest = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

TEST_F(FolderTree, FiftyOpeningsLeaveHandlesAndTaskAllocationsAsTheyWere) {
  OpenAndBrowse();  // the shell's own caches fill on the first opening
  AllocationSpy spy;
  ASSERT_HRESULT_SUCCEEDED(CoRegisterMallocSpy(&spy));
  const int handlesBefore = OpenHandles();
  for (int i = 0; i < 50; ++i) OpenAndBrowse();
  const int handlesAfter = OpenHandles();
  const long live = spy.live, total = spy.total;
  CoRevokeMallocSpy();
  std::printf("folder dialog x50: open handles %d -> %d; task allocations %ld, still live %ld\n",
              handlesBefore, handlesAfter, total, live);
  EXPECT_GT(total, 50 * 4);  // the spy saw the records and identifiers
  EXPECT_EQ(handlesAfter, handlesBefore);
  EXPECT_EQ(live, 0);
}

}  // namespace
