// The directory tree as data: the computer with its volumes and places, folders read when
// first expanded, the selection and the path it stands for. A view (the Win32 tree-view
// control, the Qt tree widget) draws it and is told of every change.
// Main thread only.
#pragma once

#include "platform/folder_source.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dg {

// The longest path the system's wide file functions take; a longer one would be cut into
// another folder's path.
constexpr std::size_t MaxTreePathBytes = 32767;

struct FolderNode {
    NodeKind kind = NodeKind::Folder;
    std::string name;
    int icon = -1;
    // Volume and place nodes: the folder's path, and what is mounted there (TopFolder).
    std::string path;
    std::string medium;
    // Whether the node shows an expand button; a folder's is decided when FolderTree::HasButton
    // is first asked.
    std::optional<bool> button;
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
    // The not-ready prompt opened for the volume, or closed (null).
    virtual void PromptChanged(const FolderNode* volume) = 0;
};

// The not-ready prompt's title, and its text for the volume: its path without the closing
// separator ("C:").
constexpr char InsertDiskTitle[] = "Insert Disk";
[[nodiscard]] std::string InsertDiskText(const FolderNode& volume);

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
    // The selection walk, down from the volume the path lies on: expands the tree down the
    // path and returns its node, or null when the volume or a folder is missing.
    FolderNode* Find(const std::string& folderPath);
    // Reads the node's children once; false when there are none to show.
    bool ReadChildren(FolderNode& node);
    // Whether the node shows an expand button: a folder only when it holds a subfolder. That
    // costs a listing of the folder, so it is decided when the view first shows the node,
    // not for each of a folder's thousands of subfolders when it is read.
    [[nodiscard]] bool HasButton(FolderNode& node);

    // Device-change broadcasts: the volumes named were removed or arrived, or their medium
    // was taken out or put in.
    void VolumesRemoved(const std::vector<std::string>& named);
    void VolumesArrived(const std::vector<std::string>& named);
    // Follows the source's volumes where no broadcast tells: drops the volumes gone, reads
    // again those with another medium, appends the new ones. true when anything changed.
    // Cheap enough to call on every change of the mount table, or on a timer.
    bool UpdateVolumes();
    // The volume whose not-ready prompt is open; empty when it is closed.
    [[nodiscard]] const std::string& PromptVolume() const { return promptVolume_; }
    void ClosePrompt();

private:
    void BuildTopLevel();
    FolderNode& Append(FolderNode& parent, std::unique_ptr<FolderNode> node);
    void AppendTop(const TopFolder& top);
    void Expand(FolderNode& node);
    [[nodiscard]] std::vector<FolderNode*> VolumeNodes() const;
    [[nodiscard]] FolderNode* VolumeOf(const std::string& path) const;
    [[nodiscard]] FolderNode* ChildNamed(const FolderNode& node, const std::string& name) const;
    [[nodiscard]] std::vector<TopFolder> Present() const;
    // What changes between the source's volumes now and the volume nodes.
    void DropGoneVolumes(const std::vector<TopFolder>& present);
    void RefreshVolumes(const std::vector<std::string>& named,
                        const std::vector<TopFolder>& present);
    void AppendNewVolumes(const std::vector<TopFolder>& present);
    void Refresh(FolderNode& volume, const TopFolder& now);
    void Remove(FolderNode& node);
    void DiscardChildren(FolderNode& node);
    // Splits at each separator that is a character of its own, never a second byte.
    [[nodiscard]] std::vector<std::string> Split(const std::string& text) const;
    [[nodiscard]] bool SameName(const std::string& a, const std::string& b) const;

    FolderSource& source_;
    FolderTreeView* view_;
    std::unique_ptr<FolderNode> computer_;
    FolderNode* selected_ = nullptr;
    std::string promptVolume_;
};

} // namespace dg
