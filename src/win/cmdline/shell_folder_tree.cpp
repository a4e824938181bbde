#include "win/cmdline/shell_folder_tree.h"

#include <algorithm>
#include <mutex>
#include <system_error>
#include <thread>

#include "util/text.h"
#include "win/sys/handles.h"
#include "win/ui/window.h"

namespace klaxora::win {
namespace text {
constexpr const wchar_t* kReading = L"…";  // a node whose children are being read
}  // namespace text

namespace {

// Posted to the tree by a worker whose children are in.
constexpr UINT kChildrenReadMessage = WM_APP + 40;
constexpr UINT_PTR kSubclassId = 1;

// Whether `folder` is `path` itself or one of the folders above it (letter case ignored).
bool Contains(const std::wstring& folder, const std::wstring& path) {
    if (folder.empty() || folder.size() > path.size())
        return false;
    if (!EqualsNoCase(std::wstring_view(path).substr(0, folder.size()), folder))
        return false;
    return folder.size() == path.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

// The file-system path of an item at any length; empty for a virtual folder.
std::wstring FileSystemPath(PCIDLIST_ABSOLUTE pidl) {
    CoTaskMem<PWSTR> path;
    if (FAILED(SHGetNameFromIDList(pidl, SIGDN_FILESYSPATH, path.Put())) || !path)
        return {};
    return path.Get();
}

}  // namespace

struct ShellFolderTree::Child {
    CoTaskMem<PIDLIST_ABSOLUTE> pidl;
    std::wstring name;
    std::wstring path;
    int icon = 0;
    bool hasChildren = false;
};

struct ShellFolderTree::Node {
    uint64_t number = 0;
    CoTaskMem<PIDLIST_ABSOLUTE> pidl;
    std::wstring path;  // empty for a virtual folder
    HTREEITEM item = nullptr;
    enum class State { Unread, Reading, Read } state = State::Unread;
    HTREEITEM reading = nullptr;  // the "…" child while it is read
};

// One folder read off the window's thread. The tree and the worker share it; whoever lets go
// last frees what was read, so nothing leaks whichever ends first.
struct ShellFolderTree::Job {
    uint64_t node = 0;
    CoTaskMem<PIDLIST_ABSOLUTE> folder;  // the worker's alone while it runs
    std::mutex lock;
    HWND notify = nullptr;  // cleared when the tree lets go
    bool done = false;
    bool read = false;
    std::vector<Child> children;
};

bool ShellFolderTree::ReadFolder(PCIDLIST_ABSOLUTE folderPidl, std::vector<Child>& children) {
    // A thread of our own: its own apartment, since the shell's folders are COM objects.
    ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.Put())))
        return false;
    ComPtr<IShellFolder> bound;
    IShellFolder* folder = desktop.Get();
    if (folderPidl->mkid.cb != 0) {  // the desktop is the root itself
        if (FAILED(desktop->BindToObject(folderPidl, nullptr, IID_IShellFolder,
                                         reinterpret_cast<void**>(bound.Put()))))
            return false;
        folder = bound.Get();
    }
    // No window: a worker shows nothing, and a folder that would ask is simply not read.
    ComPtr<IEnumIDList> list;
    const HRESULT listed = folder->EnumObjects(nullptr, SHCONTF_FOLDERS, list.Put());
    if (FAILED(listed))
        return false;
    std::vector<CoTaskMem<PITEMID_CHILD>> found;
    if (listed == S_OK && list) {
        for (CoTaskMem<PITEMID_CHILD> child; list->Next(1, child.Put(), nullptr) == S_OK;) {
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
            PCUITEMID_CHILD one = child.Get();
            folder->GetAttributesOf(1, &one, &attributes);
            // Archives the shell opens as folders are files: no shortcut goes inside them.
            if ((attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM))
                found.push_back(std::move(child));
        }
    }
    std::stable_sort(found.begin(), found.end(), [folder](const auto& a, const auto& b) {
        return static_cast<short>(HRESULT_CODE(folder->CompareIDs(0, a.Get(), b.Get()))) < 0;
    });
    for (const auto& one : found) {
        Child child;
        child.pidl.Reset(ILCombine(folderPidl, one.Get()));
        if (!child.pidl)
            continue;
        SFGAOF attributes = SFGAO_HASSUBFOLDER;
        PCUITEMID_CHILD item = one.Get();
        folder->GetAttributesOf(1, &item, &attributes);
        child.hasChildren = (attributes & SFGAO_HASSUBFOLDER) != 0;
        child.path = FileSystemPath(child.pidl.Get());
        SHFILEINFOW info{};
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(child.pidl.Get()), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        child.name = info.szDisplayName;
        child.icon = info.iIcon;
        children.push_back(std::move(child));
    }
    return true;
}

ShellFolderTree::ShellFolderTree() = default;

ShellFolderTree::~ShellFolderTree() {
    for (const auto& job : jobs_) {
        std::lock_guard guard(job->lock);
        job->notify = nullptr;
    }
    if (tree_ && IsWindow(tree_))
        RemoveWindowSubclass(tree_, &ShellFolderTree::TreeProc, kSubclassId);
}

void ShellFolderTree::Create(HWND parent, UINT id, HFONT font) {
    tree_.Create(WC_TREEVIEWW, parent, id, {}, L"",
                 WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                     TVS_DISABLEDRAGDROP,
                 font, WS_EX_CLIENTEDGE);
    // The workers' answers come to the tree itself.
    SetWindowSubclass(tree_, &ShellFolderTree::TreeProc, kSubclassId,
                      reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK ShellFolderTree::TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    if (msg == kChildrenReadMessage) {
        try {
            reinterpret_cast<ShellFolderTree*>(self)->TakeResults();
        } catch (...) {
            ShowException();
        }
        return 0;
    }
    if (msg == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, &ShellFolderTree::TreeProc, kSubclassId);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool ShellFolderTree::Fill() {
    if (root_)
        return true;
    Child desktop;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.pidl.Put())) ||
        !desktop.pidl)
        return false;
    // The shell's own small icons; the list belongs to the system and is never destroyed.
    SHFILEINFOW info{};
    const auto icons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.pidl.Get()), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME));
    if (icons)
        TreeView_SetImageList(tree_, icons, TVSIL_NORMAL);
    desktop.name = info.szDisplayName;
    desktop.icon = info.iIcon;
    desktop.path = FileSystemPath(desktop.pidl.Get());
    desktop.hasChildren = true;
    root_ = Insert(TVI_ROOT, std::move(desktop));
    TreeView_Expand(tree_, root_, TVE_EXPAND);
    return root_ != nullptr;
}

HTREEITEM ShellFolderTree::Insert(HTREEITEM parent, Child child) {
    auto node = std::make_unique<Node>();
    node->number = ++lastNode_;
    node->pidl = std::move(child.pidl);
    node->path = std::move(child.path);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = child.name.data();
    insert.item.cChildren = child.hasChildren ? 1 : 0;
    insert.item.iImage = insert.item.iSelectedImage = child.icon;
    insert.item.lParam = reinterpret_cast<LPARAM>(node.get());
    node->item = TreeView_InsertItem(tree_, &insert);
    const HTREEITEM item = node->item;
    if (item)
        nodes_.emplace(node->number, std::move(node));
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
    if (!node || node->state != Node::State::Unread)
        return;
    auto job = std::make_shared<Job>();
    job->node = node->number;
    job->notify = tree_;
    job->folder.Reset(reinterpret_cast<PIDLIST_ABSOLUTE>(ILClone(node->pidl.Get())));
    if (!job->folder)
        return;
    try {
        std::thread([job] {
            std::vector<Child> children;
            bool read = false;
            try {
                read = ReadFolder(job->folder.Get(), children);
            } catch (...) {  // out of memory: as a folder that could not be read
                read = false;
            }
            std::lock_guard guard(job->lock);
            job->read = read;
            job->children = std::move(children);
            job->done = true;
            if (job->notify)
                PostMessageW(job->notify, kChildrenReadMessage, 0, 0);
        }).detach();
    } catch (const std::system_error&) {
        return;  // no thread to be had: the node stays unread and can be expanded again
    }
    jobs_.push_back(std::move(job));
    node->state = Node::State::Reading;
    TVINSERTSTRUCTW insert{};
    insert.hParent = item;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<wchar_t*>(text::kReading);
    insert.item.iImage = insert.item.iSelectedImage = I_IMAGENONE;  // no file's picture
    node->reading = TreeView_InsertItem(tree_, &insert);
}

void ShellFolderTree::TakeResults() {
    std::vector<std::shared_ptr<Job>> finished;
    std::erase_if(jobs_, [&](const std::shared_ptr<Job>& job) {
        std::lock_guard guard(job->lock);
        if (job->done)
            finished.push_back(job);
        return job->done;
    });
    for (const auto& job : finished) {
        const auto found = nodes_.find(job->node);
        if (found == nodes_.end())
            continue;  // its node was deleted meanwhile
        Node& node = *found->second;
        const HTREEITEM item = node.item;
        if (job->read) {
            node.state = Node::State::Read;
            for (Child& child : job->children)
                Insert(item, std::move(child));
        }
        // Taken away after the children came, so the node stays open.
        if (node.reading)
            TreeView_DeleteItem(tree_, node.reading);
        node.reading = nullptr;
        if (!job->read) {
            // Closed with its button, so the next expansion reads it again.
            node.state = Node::State::Unread;
            TreeView_Expand(tree_, item, TVE_COLLAPSE | TVE_COLLAPSERESET);
            target_.reset();
        }
        TVITEMW data{};
        data.mask = TVIF_CHILDREN;
        data.hItem = item;
        data.cChildren = job->read && job->children.empty() ? 0 : 1;
        TreeView_SetItem(tree_, &data);
    }
    ContinueSelection();
}

bool ShellFolderTree::Filled(HTREEITEM item) const {
    const Node* node = NodeOf(item);
    return node && node->state == Node::State::Read;
}

std::vector<HTREEITEM> ShellFolderTree::Children(HTREEITEM item) const {
    std::vector<HTREEITEM> result;
    for (HTREEITEM c = TreeView_GetChild(tree_, item); c; c = TreeView_GetNextSibling(tree_, c)) {
        if (NodeOf(c))
            result.push_back(c);
    }
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
    target_.reset();
    if (!Fill() || path.empty())
        return false;
    Target target{path, {}};
    ComPtr<IShellFolder> desktop;
    if (SUCCEEDED(SHGetDesktopFolder(desktop.Put()))) {
        std::wstring name = path;
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr,
                                             target.pidl.Put(), nullptr)))
            target.pidl.Release();  // not ours to free
    }
    target_ = std::move(target);
    ContinueSelection();
    return true;
}

void ShellFolderTree::ContinueSelection() {
    if (!target_)
        return;
    const auto pidl = reinterpret_cast<PCIDLIST_ABSOLUTE>(target_->pidl.Get());
    const std::wstring& path = target_->path;
    // Down from the desktop: at each level the node that is the folder or lies above it, by
    // the shell's identity or, for a node with a path, by that path.
    for (HTREEITEM item = root_; item;) {
        Node* node = NodeOf(item);
        if ((pidl && ILIsEqual(node->pidl.Get(), pidl)) ||
            (!node->path.empty() && EqualsNoCase(node->path, path))) {
            target_.reset();
            Select(item);
            return;
        }
        if (node->state != Node::State::Read) {
            FillChildren(item);  // the walk goes on when they come
            if (node->state == Node::State::Unread)
                target_.reset();
            return;
        }
        HTREEITEM next = nullptr;
        for (HTREEITEM child : Children(item)) {
            const Node* c = NodeOf(child);
            if ((pidl &&
                 (ILIsEqual(c->pidl.Get(), pidl) || ILIsParent(c->pidl.Get(), pidl, FALSE))) ||
                Contains(c->path, path)) {
                next = child;
                break;
            }
        }
        item = next;
    }
    target_.reset();  // not in the namespace
}

bool ShellFolderTree::HandleNotify(const NMHDR& header) {
    if (header.code == TVN_ITEMEXPANDINGW) {
        const auto& view = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (view.action & TVE_EXPAND)
            FillChildren(view.itemNew.hItem);
    } else if (header.code == TVN_DELETEITEMW) {
        const auto& view = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (const auto* node = reinterpret_cast<const Node*>(view.itemOld.lParam))
            nodes_.erase(node->number);
    } else if (header.code == TVN_SELCHANGEDW) {
        if (SelectionChanged)
            SelectionChanged();
    }
    return true;
}

}  // namespace klaxora::win
