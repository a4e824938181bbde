#include "win/cmdline/shell_folder_tree.h"

#include <algorithm>

#include "util/text.h"
#include "win/sys/handles.h"

namespace klaxora::win {

struct ShellFolderTree::Node {
    CoTaskMem<PIDLIST_ABSOLUTE> pidl;
    std::wstring path;  // empty for a virtual folder
    bool filled = false;
};

namespace {

// Whether `folder` is `path` itself or one of the folders above it (letter case ignored).
bool Contains(const std::wstring& folder, const std::wstring& path) {
    if (folder.empty() || folder.size() > path.size())
        return false;
    if (!EqualsNoCase(std::wstring_view(path).substr(0, folder.size()), folder))
        return false;
    return folder.size() == path.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

}  // namespace

ShellFolderTree::ShellFolderTree() = default;
ShellFolderTree::~ShellFolderTree() = default;

void ShellFolderTree::Create(HWND parent, UINT id, HFONT font) {
    tree_.Create(WC_TREEVIEWW, parent, id, {}, L"",
                 WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                     TVS_DISABLEDRAGDROP,
                 font, WS_EX_CLIENTEDGE);
}

bool ShellFolderTree::Fill() {
    if (root_)
        return true;
    CoTaskMem<PIDLIST_ABSOLUTE> desktop;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.Put())) || !desktop)
        return false;
    // The shell's own small icons; the list belongs to the system and is never destroyed.
    SHFILEINFOW info{};
    const auto icons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.Get()), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (icons)
        TreeView_SetImageList(tree_, icons, TVSIL_NORMAL);
    root_ = Insert(TVI_ROOT, std::move(desktop), true);
    TreeView_Expand(tree_, root_, TVE_EXPAND);
    return root_ != nullptr;
}

HTREEITEM ShellFolderTree::Insert(HTREEITEM parent, CoTaskMem<PIDLIST_ABSOLUTE> pidl,
                                  bool hasChildren) {
    auto node = std::make_unique<Node>();
    node->pidl = std::move(pidl);
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(node->pidl.Get(), path))
        node->path = path;
    SHFILEINFOW info{};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(node->pidl.Get()), 0, &info, sizeof(info),
                   SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = info.szDisplayName;
    insert.item.cChildren = hasChildren ? 1 : 0;
    insert.item.iImage = insert.item.iSelectedImage = info.iIcon;
    insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
    const HTREEITEM item = TreeView_InsertItem(tree_, &insert);
    if (item)
        nodes_.push_back(std::move(node));
    return item;
}

ShellFolderTree::Node* ShellFolderTree::NodeOf(HTREEITEM item) const {
    if (!item)
        return nullptr;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!TreeView_GetItem(tree_, &data))
        return nullptr;
    return reinterpret_cast<Node*>(data.lParam);
}

void ShellFolderTree::FillChildren(HTREEITEM item) {
    Node* node = NodeOf(item);
    if (!node || node->filled)
        return;
    node->filled = true;
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())))
        return;
    ComPtr<IShellFolder> bound;
    IShellFolder* folder = desktop.Get();
    if (node->pidl.Get()->mkid.cb != 0) {  // the desktop is the root itself
        if (FAILED(desktop->BindToObject(node->pidl.Get(), nullptr, IID_IShellFolder,
                                         reinterpret_cast<void**>(bound.Put()))))
            return;
        folder = bound.Get();
    }
    ComPtr<IEnumIDList> list;
    std::vector<CoTaskMem<PITEMID_CHILD>> children;
    if (folder->EnumObjects(tree_, SHCONTF_FOLDERS, list.Put()) == S_OK && list) {
        for (CoTaskMem<PITEMID_CHILD> child; list->Next(1, child.Put(), nullptr) == S_OK;) {
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
            PCUITEMID_CHILD one = child.Get();
            folder->GetAttributesOf(1, &one, &attributes);
            // Archives the shell opens as folders are files: no shortcut goes inside them.
            if ((attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM))
                children.push_back(std::move(child));
        }
    }
    std::stable_sort(children.begin(), children.end(), [folder](const auto& a, const auto& b) {
        return static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, a.Get(), b.Get()))) < 0;
    });
    for (const auto& child : children) {
        SFGAOF attributes = SFGAO_HASSUBFOLDER;
        PCUITEMID_CHILD one = child.Get();
        folder->GetAttributesOf(1, &one, &attributes);
        if (auto absolute = CoTaskMem<PIDLIST_ABSOLUTE>(ILCombine(node->pidl.Get(), one)))
            Insert(item, std::move(absolute), (attributes & SFGAO_HASSUBFOLDER) != 0);
    }
    if (children.empty()) {
        TVITEMW data{};
        data.mask = TVIF_CHILDREN;
        data.hItem = item;
        data.cChildren = 0;
        TreeView_SetItem(tree_, &data);
    }
}

std::vector<HTREEITEM> ShellFolderTree::Children(HTREEITEM item) {
    FillChildren(item);
    std::vector<HTREEITEM> result;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c))
        result.push_back(c);
    return result;
}

std::wstring ShellFolderTree::PathOf(HTREEITEM item) const {
    const Node* node = NodeOf(item);
    return node ? node->path : std::wstring();
}

std::wstring ShellFolderTree::SelectedPath() const {
    return PathOf(TreeView_GetSelection(tree_));
}

void ShellFolderTree::Select(HTREEITEM item) {
    TreeView_SelectItem(tree_, item);
    TreeView_EnsureVisible(tree_, item);
}

bool ShellFolderTree::SelectPath(const std::wstring& path) {
    if (!Fill() || path.empty())
        return false;
    ComPtr<IShellFolder> desktop;
    CoTaskMem<PIDLIST_RELATIVE> target;
    if (SUCCEEDED(SHGetDesktopFolder(desktop.Put()))) {
        std::wstring name = path;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, target.Put(),
                                             nullptr)))
            target.Release();  // not ours to free
    }
    const auto target_pidl = reinterpret_cast<PCIDLIST_ABSOLUTE>(target.Get());
    // Down from the desktop: at each level the node that is the folder or lies above it, by
    // the shell's identity or, for a node with a path, by that path.
    HTREEITEM item = root_;
    bool found = false;
    while (item && !found) {
        const Node* node = NodeOf(item);
        if ((target && ILIsEqual(node->pidl.Get(), target_pidl)) ||
            (!node->path.empty() && EqualsNoCase(node->path, path))) {
            found = true;
            break;
        }
        HTREEITEM next = nullptr;
        for (HTREEITEM child : Children(item)) {
            const Node* c = NodeOf(child);
            if ((target && (ILIsEqual(c->pidl.Get(), target_pidl) ||
                            ILIsParent(c->pidl.Get(), target_pidl, FALSE))) ||
                Contains(c->path, path)) {
                next = child;
                break;
            }
        }
        item = next;
    }
    if (found)
        Select(item);
    return found;
}

bool ShellFolderTree::HandleNotify(const NMHDR& header) {
    if (header.code == TVN_ITEMEXPANDINGW) {
        const auto& view = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (view.action & TVE_EXPAND)
            FillChildren(view.itemNew.hItem);
    } else if (header.code == TVN_SELCHANGEDW) {
        if (SelectionChanged)
            SelectionChanged();
    }
    return true;
}

}  // namespace klaxora::win
