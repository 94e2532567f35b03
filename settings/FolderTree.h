// Choosing a directory in a tree of the shell namespace.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "fw/dialog.h"
#include "fw/treectrl.h"
#include "res/resource.h"

// The record behind every tree item, allocated with the shell's task
// allocator; the item's deletion releases it with all it holds.
struct FolderItemData {
  IShellFolder* parentFolder;  // contains the item; one reference held
  LPITEMIDLIST relativeId;     // the item's element, relative to parentFolder
  LPITEMIDLIST absoluteId;     // the item's identifier from the desktop
};

// The folders of the shell namespace, from the desktop down.  Each level is
// read on its first expansion and sorted in the shell's own order.
class CFolderTreeCtrl : public fw::CTreeCtrl {
 public:
  ~CFolderTreeCtrl() override;

  // The system's small-icon image list for the items.
  void AttachSystemImageList();
  // The desktop folder's folders as the root level.
  void FillRoot();
  // Inserts the folders of `folder` (whose identifier from the desktop is
  // `parentId`, null for the desktop itself) under `parent`, unsorted.
  void FillFolderLevel(IShellFolder* folder, LPCITEMIDLIST parentId, HTREEITEM parent);
  void SortLevel(HTREEITEM parent);

  std::string m_strPath;  // parsing name of the folder selected last

 protected:
  bool OnReflectedNotify(NMHDR& header, LRESULT& result) override;

 private:
  void OnItemExpanding(HTREEITEM item);
  void OnSelChanged(LPARAM data);
  static int CALLBACK CompareItems(LPARAM first, LPARAM second, LPARAM);
};

// The folder dialog; the folder chosen is read from m_wndTree.m_strPath
// after it has closed with IDOK.
class CWallPaperDirDialog : public fw::CDialog {
 public:
  enum { IDD = IDD_WALLPAPER_DIR };
  explicit CWallPaperDirDialog(fw::CWnd* parent = nullptr) : fw::CDialog(IDD, parent) {}

  CFolderTreeCtrl m_wndTree;

 protected:
  BOOL OnInitDialog() override;
};
