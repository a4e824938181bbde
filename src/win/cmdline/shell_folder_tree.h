#pragma once
// A folder tree of the shell namespace (a SysTreeView32): the desktop at the root, below it
// what the shell shows as folders (the computer, drives, libraries, directories), each node
// filled when it is first expanded. A node knows its file-system path, empty for a virtual
// folder such as the computer node.
//
// A folder's children are enumerated on a thread of their own: the network, a disconnected
// drive or a slow share may take the shell many seconds, and the window (and the program's
// timers with it) must not wait. The node shows "…" until they arrive through the window's
// queue; a node that could not be read closes again and is tried anew at the next expansion.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
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
    // Starts reading a node's children when they were never read; they come later.
    void FillChildren(HTREEITEM item);
    // Whether a node's children are in.
    bool Filled(HTREEITEM item) const;
    // The children shown now ("…" is none of them).
    std::vector<HTREEITEM> Children(HTREEITEM item) const;
    std::wstring PathOf(HTREEITEM item) const;
    std::wstring SelectedPath() const;
    void Select(HTREEITEM item);
    // Opens the tree down to the folder of this path and selects it, as the children on the way
    // come in; false when it cannot start. Selecting() holds until it is selected or not found.
    bool SelectPath(const std::wstring& path);
    bool Selecting() const { return target_.has_value(); }
    // Whether any folder is still being read.
    bool Reading() const { return !jobs_.empty(); }

  private:
    struct Node;
    struct Child;
    struct Job;
    struct Target {
        std::wstring path;
        CoTaskMem<PIDLIST_RELATIVE> pidl;  // null when the shell does not know the path
    };
    // Each child the shell shows as a folder, in the shell's order, with what the tree shows of
    // it; run by a worker. False when the folder could not be read.
    static bool ReadFolder(PCIDLIST_ABSOLUTE folder, std::vector<Child>& children);
    HTREEITEM Insert(HTREEITEM parent, Child child);
    Node* NodeOf(HTREEITEM item) const;
    void TakeResults();
    void ContinueSelection();
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);

    Control tree_;
    HTREEITEM root_ = nullptr;
    uint64_t lastNode_ = 0;
    std::map<uint64_t, std::unique_ptr<Node>> nodes_;  // by the node's own number
    std::vector<std::shared_ptr<Job>> jobs_;
    std::optional<Target> target_;
};

}  // namespace klaxora::win
