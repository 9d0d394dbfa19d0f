// The directory tree as data: the computer, its drives, the documents folder and folders read
// when first expanded, the selection and the path it stands for. A view (the Win32 tree-view
// control) draws it and is told of every change; the headless backend uses it without one.
// Main thread only.
#pragma once

#include "platform/folder_source.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace dg {

// The longest path the system's wide file functions take; a longer one would be cut into
// another folder's path.
constexpr std::size_t MaxTreePathBytes = 32767;

enum class NodeKind { Computer, Drive, Documents, Folder };

struct FolderNode {
    NodeKind kind = NodeKind::Folder;
    std::string name;
    int icon = -1;
    // Drive nodes: 0 for A to 31.
    int drive = -1;
    bool hasButton = false;
    // The children were read; they are never read again unless a medium changes.
    bool read = false;
    FolderNode* parent = nullptr;
    std::vector<std::unique_ptr<FolderNode>> children;
    // The view's handle of the node's item.
    void* viewItem = nullptr;
};

// Told of each change of the model, in the order made.
class FolderTreeView {
public:
    virtual ~FolderTreeView() = default;
    // Every node is gone.
    virtual void Cleared() = 0;
    // A node was appended after its parent's other children.
    virtual void Added(FolderNode& node) = 0;
    // The node is about to go, with its children.
    virtual void Removing(FolderNode& node) = 0;
    // The node's children are about to be discarded: collapse it.
    virtual void Collapsing(FolderNode& node) = 0;
    // The node's name, icon or button changed.
    virtual void Changed(FolderNode& node) = 0;
    virtual void Expanded(FolderNode& node) = 0;
    // Scroll the node into view and select it; null selects nothing.
    virtual void Selected(FolderNode* node) = 0;
    // The not-ready prompt opened for the drive, or closed (-1).
    virtual void PromptChanged(int drive) = 0;
};

class FolderTree {
public:
    explicit FolderTree(FolderSource& source, FolderTreeView* view = nullptr);

    // SetControlText: rebuilds the top level and/or selects the path, by the text's form.
    void SetText(const std::string& text);
    // GetControlText: the selected node's path, or the empty text.
    [[nodiscard]] std::string Text() const { return selected_ ? PathOf(*selected_) : ""; }
    // The path a node stands for: empty for the computer node and for a path too long.
    [[nodiscard]] std::string PathOf(const FolderNode& node) const;

    [[nodiscard]] FolderNode* Computer() const { return computer_.get(); }
    [[nodiscard]] FolderNode* Selected() const { return selected_; }
    void Select(FolderNode* node);
    // The selection walk: expands the tree down the path and returns its node, or null when
    // the drive or a folder is missing.
    FolderNode* Find(const std::string& folderPath);
    // Reads the node's children once; false when there are none to show.
    bool ReadChildren(FolderNode& node);

    // Device-change broadcasts: the drives named in the mask were removed or arrived.
    void DrivesRemoved(unsigned long named);
    void DrivesArrived(unsigned long named);
    // -1 when the not-ready prompt is closed.
    [[nodiscard]] int PromptDrive() const { return promptDrive_; }
    void ClosePrompt();

private:
    void BuildTopLevel();
    FolderNode& Append(FolderNode& parent, std::unique_ptr<FolderNode> node);
    FolderNode& AppendDrive(int drive);
    void Expand(FolderNode& node);
    void Refresh(FolderNode& drive);
    void Remove(FolderNode& node);
    void DiscardChildren(FolderNode& node);
    // Splits at each backslash that is a character of its own, never a second byte.
    [[nodiscard]] std::vector<std::string> Split(const std::string& text) const;
    [[nodiscard]] bool SameName(const std::string& a, const std::string& b) const;

    FolderSource& source_;
    FolderTreeView* view_;
    std::unique_ptr<FolderNode> computer_;
    FolderNode* selected_ = nullptr;
    std::string documentsPath_;
    int promptDrive_ = -1;
};

} // namespace dg
