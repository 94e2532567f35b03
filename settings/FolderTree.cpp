#include "settings/FolderTree.h"

#include <shellapi.h>

#include "core/idlist.h"

namespace {

// The shell's task allocator for the length of one operation.
class TaskAllocator {
 public:
  TaskAllocator() {
    if (FAILED(SHGetMalloc(&m_malloc))) m_malloc = nullptr;
  }
  ~TaskAllocator() {
    if (m_malloc) m_malloc->Release();
  }
  TaskAllocator(const TaskAllocator&) = delete;
  TaskAllocator& operator=(const TaskAllocator&) = delete;
  explicit operator bool() const { return m_malloc != nullptr; }
  IMalloc* operator->() const { return m_malloc; }

 private:
  IMalloc* m_malloc = nullptr;
};

const unsigned char* Bytes(LPCITEMIDLIST list) {
  return reinterpret_cast<const unsigned char*>(list);
}

// `a` followed by `b`, in a new zeroed allocation; null when out of memory.
LPITEMIDLIST JoinIds(const TaskAllocator& malloc, LPCITEMIDLIST a, LPCITEMIDLIST b) {
  const std::size_t size = core::JoinedIdListSize(Bytes(a), Bytes(b));
  void* joined = malloc->Alloc(size);
  if (!joined) return nullptr;
  ZeroMemory(joined, size);
  core::JoinIdLists(static_cast<unsigned char*>(joined), Bytes(a), Bytes(b));
  return static_cast<LPITEMIDLIST>(joined);
}

// The first element of `list` alone; null when out of memory.
LPITEMIDLIST CopyFirstId(const TaskAllocator& malloc, LPCITEMIDLIST list) {
  const std::size_t size = core::FirstIdSize(Bytes(list));
  void* copy = malloc->Alloc(size);
  if (!copy) return nullptr;
  core::CopyFirstId(static_cast<unsigned char*>(copy), Bytes(list));
  return static_cast<LPITEMIDLIST>(copy);
}

void FreeRecord(FolderItemData* record) {
  if (!record) return;
  TaskAllocator malloc;
  if (record->parentFolder) record->parentFolder->Release();
  if (!malloc) return;  // cannot happen once records exist; then leak, never crash
  if (record->relativeId) malloc->Free(record->relativeId);
  if (record->absoluteId) malloc->Free(record->absoluteId);
  malloc->Free(record);
}

// A display name in any of the shell's three answer forms, as ANSI text in
// `text` (MAX_PATH bytes, always terminated); false for any other form.
bool DisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags, char (&text)[MAX_PATH]) {
  text[0] = '\0';
  STRRET name = {};
  if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) return false;
  switch (name.uType) {
    case STRRET_WSTR: {
      if (!name.pOleStr) return false;
      const int length = WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, text, MAX_PATH,
                                             nullptr, nullptr);
      CoTaskMemFree(name.pOleStr);
      // A name too long for the buffer is cut, not lost.
      if (length == 0) text[MAX_PATH - 1] = '\0';
      return true;
    }
    case STRRET_OFFSET:
      lstrcpynA(text, reinterpret_cast<const char*>(item) + name.uOffset, MAX_PATH);
      return true;
    case STRRET_CSTR:
      lstrcpynA(text, name.cStr, MAX_PATH);
      return true;
    default:
      return false;
  }
}

int IconIndex(LPCITEMIDLIST absolute, UINT extra) {
  SHFILEINFOA info = {};
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof(info),
                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
  return info.iIcon;
}

}  // namespace

CFolderTreeCtrl::~CFolderTreeCtrl() {
  // A tree still alive here (the dialog was not destroyed through the window
  // manager) gives its records back now.
  if (m_hWnd && ::IsWindow(m_hWnd)) ::SendMessageA(m_hWnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void CFolderTreeCtrl::AttachSystemImageList() {
  SHFILEINFOA info = {};
  const DWORD_PTR list =
      SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  if (list) SetImageList(reinterpret_cast<HIMAGELIST>(list), TVSIL_NORMAL);
}

void CFolderTreeCtrl::FillRoot() {
  IShellFolder* desktop = nullptr;
  if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
    FillFolderLevel(desktop, nullptr, TVI_ROOT);
    desktop->Release();
  }
  SortLevel(TVI_ROOT);
}

void CFolderTreeCtrl::FillFolderLevel(IShellFolder* folder, LPCITEMIDLIST parentId,
                                      HTREEITEM parent) {
  // Prompts of the shell (a drive without a medium) belong to the dialog.
  HWND owner = GetParent(m_hWnd);
  TaskAllocator malloc;
  if (!malloc) return;
  IEnumIDList* items = nullptr;
  if (FAILED(folder->EnumObjects(owner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items)) || !items)
    return;
  LPITEMIDLIST item = nullptr;
  ULONG fetched = 0;
  while (items->Next(1, &item, &fetched) == S_OK && item) {
    LPCITEMIDLIST one = item;
    ULONG attributes = SFGAO_HASSUBFOLDER | SFGAO_FOLDER;
    if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) attributes = 0;
    if (attributes & SFGAO_FOLDER) {
      char text[MAX_PATH];
      auto* record = static_cast<FolderItemData*>(malloc->Alloc(sizeof(FolderItemData)));
      if (!record || !DisplayName(folder, item, SHGDN_NORMAL, text)) {
        if (record) malloc->Free(record);
        malloc->Free(item);
        break;
      }
      *record = FolderItemData{};
      record->relativeId = CopyFirstId(malloc, item);
      record->absoluteId = JoinIds(malloc, parentId, item);
      if (!record->relativeId || !record->absoluteId) {
        FreeRecord(record);
        malloc->Free(item);
        break;
      }
      record->parentFolder = folder;
      folder->AddRef();

      TVINSERTSTRUCTA insert = {};
      insert.hParent = parent;
      insert.hInsertAfter = TVI_FIRST;
      TVITEMA& tree = insert.item;
      tree.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
      if (attributes & SFGAO_HASSUBFOLDER) {
        // An expand button before the children are known.
        tree.mask |= TVIF_CHILDREN;
        tree.cChildren = 1;
      }
      tree.pszText = text;
      tree.cchTextMax = MAX_PATH;
      tree.iImage = IconIndex(record->absoluteId, 0);
      tree.iSelectedImage = IconIndex(record->absoluteId, SHGFI_OPENICON);
      tree.lParam = reinterpret_cast<LPARAM>(record);
      if (!InsertItem(insert)) FreeRecord(record);  // the tree would never give it back
    }
    malloc->Free(item);
    item = nullptr;
  }
  items->Release();
}

void CFolderTreeCtrl::SortLevel(HTREEITEM parent) { SortChildrenCB(parent, CompareItems, 0); }

int CALLBACK CFolderTreeCtrl::CompareItems(LPARAM first, LPARAM second, LPARAM) {
  const auto* a = reinterpret_cast<const FolderItemData*>(first);
  const auto* b = reinterpret_cast<const FolderItemData*>(second);
  if (!a || !b || !a->parentFolder) return 0;
  const HRESULT hr = a->parentFolder->CompareIDs(0, a->relativeId, b->relativeId);
  if (FAILED(hr)) return 0;
  return static_cast<short>(HRESULT_CODE(hr));
}

bool CFolderTreeCtrl::OnReflectedNotify(NMHDR& header, LRESULT& result) {
  const auto& tree = reinterpret_cast<const NMTREEVIEWA&>(header);
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      OnItemExpanding(tree.itemNew.hItem);
      result = 0;  // allow the expansion
      return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelChanged(tree.itemNew.lParam);
      result = 0;
      return true;
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      FreeRecord(reinterpret_cast<FolderItemData*>(tree.itemOld.lParam));
      result = 0;
      return true;
    default:
      return false;
  }
}

void CFolderTreeCtrl::OnItemExpanding(HTREEITEM item) {
  // Each level is read once, on the first expansion.
  if (!item || (GetItemState(item, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) return;
  const auto* record = reinterpret_cast<const FolderItemData*>(GetItemData(item));
  if (!record || !record->parentFolder) return;
  IShellFolder* folder = nullptr;
  if (SUCCEEDED(record->parentFolder->BindToObject(record->relativeId, nullptr, IID_IShellFolder,
                                                   reinterpret_cast<void**>(&folder))) &&
      folder) {
    FillFolderLevel(folder, record->absoluteId, item);
    folder->Release();
  }
  SortLevel(item);
}

void CFolderTreeCtrl::OnSelChanged(LPARAM data) {
  // The path is that of the item now selected or none: OK must not return
  // a folder selected before.
  m_strPath.clear();
  const auto* record = reinterpret_cast<const FolderItemData*>(data);
  if (!record || !record->parentFolder) return;
  char path[MAX_PATH];
  if (DisplayName(record->parentFolder, record->relativeId, SHGDN_FORPARSING, path))
    m_strPath = path;
}

BOOL CWallPaperDirDialog::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  if (m_wndTree.SubclassDlgItem(IDC_FOLDER_TREE, m_hWnd)) {
    m_wndTree.AttachSystemImageList();
    m_wndTree.FillRoot();
  }
  return TRUE;
}
