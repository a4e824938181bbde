#pragma once
// A folder tree of the shell namespace (a SysTreeView32): the desktop at the root, below it
// what the shell shows as folders (the computer, drives, libraries, directories), each node
// filled when it is first expanded. A node knows its file-system path, empty for a virtual
// folder such as the computer node.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "win/sys/handles.h"
#include "win/ui/controls.h"

namespace klaxora::win {

class ShellFolderTree {
  public:
    ShellFolderTree();
    ~ShellFolderTree();
    ShellFolderTree(const ShellFolderTree&) = delete;
    ShellFolderTree& operator=(const ShellFolderTree&) = delete;

    void Create(HWND parent, UINT id, HFONT font);
    HWND Hwnd() const { return tree_; }
    // Puts the desktop at the root (once) and expands it.
    bool Fill();
    // A notification of the tree, handed on by its parent.
    bool HandleNotify(const NMHDR& header);
    // Called after every change of the selection.
    std::function<void()> SelectionChanged;

    HTREEITEM Root() const { return root_; }
    // The children of a node, filled first when they were not yet.
    std::vector<HTREEITEM> Children(HTREEITEM item);
    std::wstring PathOf(HTREEITEM item) const;
    std::wstring SelectedPath() const;
    void Select(HTREEITEM item);
    // Opens the tree down to the folder of this path and selects it; false when it is not
    // found in the namespace.
    bool SelectPath(const std::wstring& path);

  private:
    struct Node;
    HTREEITEM Insert(HTREEITEM parent, CoTaskMem<PIDLIST_ABSOLUTE> pidl, bool hasChildren);
    Node* NodeOf(HTREEITEM item) const;
    void FillChildren(HTREEITEM item);

    Control tree_;
    HTREEITEM root_ = nullptr;
    std::vector<std::unique_ptr<Node>> nodes_;
};

}  // namespace klaxora::win
