// The folder dialog and its tree of the shell namespace, driven with the keys
// and selections a user makes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "settings/FolderTree.h"
#include "support/app_fixture.h"
#include "support/testsupport.h"

using namespace qovtest;

namespace {

// The child of `parent` whose parsing name the shell gives as `name`.
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const char* name) {
  for (HTREEITEM item = TreeView_GetChild(tree, parent); item;
       item = TreeView_GetNextSibling(tree, item)) {
    TVITEMA data = {TVIF_HANDLE | TVIF_PARAM, item};
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    const auto* record = reinterpret_cast<const FolderItemData*>(data.lParam);
    STRRET text = {};
    char path[MAX_PATH] = "";
    if (record && SUCCEEDED(record->parentFolder->GetDisplayNameOf(record->relativeId,
                                                                     SHGDN_FORPARSING, &text)))
      StrRetToBufA(&text, record->relativeId, path, MAX_PATH);
    if (lstrcmpiA(path, name) == 0) return item;
  }
  return nullptr;
}

// Selects an item as a click does, then opens it with the right arrow key.
void Expand(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SendMessageA(tree, WM_KEYDOWN, VK_RIGHT, 1);
  SendMessageA(tree, WM_KEYUP, VK_RIGHT, 0xC0000001);
}

class FolderTree : public AppTest {};

TEST_F(FolderTree, SelectionGivesTheFoldersPathOrNone) {
  CWallPaperDirDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND tree = GetDlgItem(dialog.m_hWnd, IDC_FOLDER_TREE);
  HTREEITEM computer = FindChild(tree, TVI_ROOT, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
  ASSERT_NE(computer, nullptr);
  Expand(tree, computer);
  HTREEITEM drive = FindChild(tree, computer, "C:\\");
  ASSERT_NE(drive, nullptr);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(drive));
  EXPECT_EQ(dialog.m_wndTree.m_strPath, "C:\\");  // the parsing name, not the display name
  // Then an item without a folder behind it: no path, not the last one.
  TVINSERTSTRUCTA insert = {drive, TVI_LAST};
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>("nameless");
  LRESULT item = SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
  EXPECT_EQ(dialog.m_wndTree.m_strPath, "");
  dialog.DestroyWindow();
}

}  // namespace
