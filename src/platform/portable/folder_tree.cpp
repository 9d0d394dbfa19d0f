#include "platform/portable/folder_tree.h"

#include "platform/system.h"

#include <algorithm>

namespace dg {

std::string InsertDiskText(const FolderNode& volume) {
    return "Please insert a disk into drive " + volume.path.substr(0, volume.path.size() - 1) + ".";
}

namespace {

constexpr char ComputerFallbackName[] = "My Computer";

bool Within(const FolderNode* node, const FolderNode& subtree) {
    for (; node != nullptr; node = node->parent)
        if (node == &subtree)
            return true;
    return false;
}

bool Named(const std::vector<std::string>& named, const std::string& path) {
    return std::ranges::find(named, path) != named.end();
}

const TopFolder* VolumeAt(const std::vector<TopFolder>& present, const std::string& path) {
    const auto found = std::ranges::find_if(present, [&](const TopFolder& top) {
        return top.kind == NodeKind::Volume && top.path == path;
    });
    return found != present.end() ? &*found : nullptr;
}

} // namespace

FolderTree::FolderTree(FolderSource& source, FolderTreeView* view) : source_(source), view_(view) {}

std::vector<std::string> FolderTree::Split(const std::string& text) const {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == source_.Separator()) {
            parts.emplace_back();
            continue;
        }
        parts.back() += text[i];
        if (source_.IsLeadByte(text[i]) && i + 1 < text.size())
            parts.back() += text[++i];
    }
    return parts;
}

bool FolderTree::SameName(const std::string& a, const std::string& b) const {
    return UpperCase(a) == UpperCase(b);
}

void FolderTree::SetText(const std::string& text) {
    ClosePrompt();
    const std::vector<std::string> parts = Split(text);
    if (text.empty() || text == "\\") {
        BuildTopLevel();
    } else if (parts.size() > 1 && parts.back().empty()) {
        Select(Find(text));
    } else if (parts.size() > 1) {
        // The part after the last separator is a file pattern, for trees that show files.
        BuildTopLevel();
        Select(Find(text.substr(0, text.size() - parts.back().size())));
    } else {
        const std::string previous = Text();
        BuildTopLevel();
        if (!previous.empty())
            Select(Find(previous));
    }
}

std::string FolderTree::PathOf(const FolderNode& node) const {
    std::string path;
    switch (node.kind) {
    case NodeKind::Computer:
        return {};
    case NodeKind::Volume:
    case NodeKind::Place:
        path = node.path;
        break;
    case NodeKind::Folder:
        path = node.parent ? PathOf(*node.parent) : std::string();
        if (path.empty())
            return {};
        path += node.name + source_.Separator();
        break;
    }
    return path.size() <= MaxTreePathBytes ? path : std::string();
}

void FolderTree::Select(FolderNode* node) {
    selected_ = node;
    if (view_)
        view_->Selected(node);
}

FolderNode* FolderTree::Find(const std::string& folderPath) {
    FolderNode* node = VolumeOf(folderPath);
    if (!node)
        return nullptr;
    Expand(*node);
    for (const std::string& part : Split(folderPath.substr(node->path.size()))) {
        if (part.empty())
            continue;
        node = ChildNamed(*node, part);
        if (!node)
            return nullptr;
        Expand(*node);
    }
    return node;
}

// The volume whose path begins the path: spelled the same before spelled in other letter
// cases, the longest first (a volume mounted inside another's folders).
FolderNode* FolderTree::VolumeOf(const std::string& path) const {
    FolderNode* best = nullptr;
    bool bestExact = false;
    for (FolderNode* volume : VolumeNodes()) {
        const std::string start = path.substr(0, volume->path.size());
        const bool exact = start == volume->path;
        if (start.size() < volume->path.size() || (!exact && !SameName(start, volume->path)))
            continue;
        if (!best || exact > bestExact ||
            (exact == bestExact && volume->path.size() > best->path.size())) {
            best = volume;
            bestExact = exact;
        }
    }
    return best;
}

// Names spelled the same first: outside Windows two folders may differ in letter case only.
FolderNode* FolderTree::ChildNamed(const FolderNode& node, const std::string& name) const {
    FolderNode* similar = nullptr;
    for (const auto& child : node.children) {
        if (child->name == name)
            return child.get();
        if (!similar && SameName(child->name, name))
            similar = child.get();
    }
    return similar;
}

bool FolderTree::ReadChildren(FolderNode& node) {
    if (node.read)
        return !node.children.empty();
    const std::string path = PathOf(node);
    if (path.empty())
        return false;
    if (node.kind == NodeKind::Volume) {
        const DriveAccess access = source_.CheckVolume(path);
        if (access == DriveAccess::NotReady) {
            promptVolume_ = path;
            if (view_)
                view_->PromptChanged(&node);
        }
        if (access != DriveAccess::Ready)
            return false;
    }
    for (const std::string& name : source_.Subfolders(path)) {
        auto child = std::make_unique<FolderNode>();
        child->kind = NodeKind::Folder;
        child->name = name;
        child->icon = source_.FolderIcon();
        child->parent = &node;
        Append(node, std::move(child));
    }
    node.read = true;
    return !node.children.empty();
}

bool FolderTree::HasButton(FolderNode& node) {
    if (!node.button) {
        const std::string path = PathOf(node);
        node.button = !path.empty() && source_.HasSubfolder(path);
    }
    return *node.button;
}

void FolderTree::VolumesRemoved(const std::vector<std::string>& named) {
    if (!computer_)
        return;
    const std::vector<TopFolder> present = Present();
    DropGoneVolumes(present);
    RefreshVolumes(named, present);
}

void FolderTree::VolumesArrived(const std::vector<std::string>& named) {
    if (!computer_)
        return;
    if (Named(named, promptVolume_))
        ClosePrompt();
    const std::vector<TopFolder> present = Present();
    RefreshVolumes(named, present);
    AppendNewVolumes(present);
}

bool FolderTree::UpdateVolumes() {
    if (!computer_)
        return false;
    const std::vector<TopFolder> present = Present();
    std::vector<std::string> before, changed;
    for (const FolderNode* volume : VolumeNodes()) {
        before.push_back(volume->path);
        const TopFolder* now = VolumeAt(present, volume->path);
        if (now && now->medium != volume->medium)
            changed.push_back(volume->path);
    }
    DropGoneVolumes(present);
    RefreshVolumes(changed, present);
    AppendNewVolumes(present);
    std::vector<std::string> after;
    for (const FolderNode* volume : VolumeNodes())
        after.push_back(volume->path);
    return !changed.empty() || after != before;
}

void FolderTree::DropGoneVolumes(const std::vector<TopFolder>& present) {
    for (FolderNode* volume : VolumeNodes())
        if (!VolumeAt(present, volume->path))
            Remove(*volume);
    if (!promptVolume_.empty() && !VolumeAt(present, promptVolume_))
        ClosePrompt();
}

void FolderTree::RefreshVolumes(const std::vector<std::string>& named,
                                const std::vector<TopFolder>& present) {
    for (FolderNode* volume : VolumeNodes())
        if (const TopFolder* now = VolumeAt(present, volume->path);
            now && Named(named, volume->path))
            Refresh(*volume, *now);
}

void FolderTree::AppendNewVolumes(const std::vector<TopFolder>& present) {
    for (const TopFolder& top : present) {
        if (top.kind != NodeKind::Volume)
            continue;
        const std::vector<FolderNode*> shown = VolumeNodes();
        if (std::ranges::none_of(shown, [&](const FolderNode* n) { return n->path == top.path; }))
            AppendTop(top);
    }
}

void FolderTree::ClosePrompt() {
    if (promptVolume_.empty())
        return;
    promptVolume_.clear();
    if (view_)
        view_->PromptChanged(nullptr);
}

void FolderTree::BuildTopLevel() {
    if (view_)
        view_->Cleared();
    selected_ = nullptr;
    computer_ = std::make_unique<FolderNode>();
    computer_->kind = NodeKind::Computer;
    ShellLook look = source_.ComputerLook();
    computer_->name = look.name.empty() ? ComputerFallbackName : look.name;
    computer_->icon = look.icon;
    computer_->read = true;
    if (view_)
        view_->Added(*computer_);
    for (const TopFolder& top : Present())
        AppendTop(top);
    Expand(*computer_);
}

FolderNode& FolderTree::Append(FolderNode& parent, std::unique_ptr<FolderNode> node) {
    node->parent = &parent;
    FolderNode& added = *parent.children.emplace_back(std::move(node));
    if (view_)
        view_->Added(added);
    return added;
}

// The source's top level, each path ending with the separator.
std::vector<TopFolder> FolderTree::Present() const {
    std::vector<TopFolder> present = source_.TopFolders();
    std::erase_if(present, [](const TopFolder& top) { return top.path.empty(); });
    for (TopFolder& top : present)
        if (!Split(top.path).back().empty())
            top.path += source_.Separator();
    return present;
}

void FolderTree::AppendTop(const TopFolder& top) {
    auto node = std::make_unique<FolderNode>();
    node->kind = top.kind;
    node->path = top.path;
    node->medium = top.medium;
    const ShellLook look = top.kind == NodeKind::Volume ? source_.VolumeLook(node->path) : top.look;
    node->name = look.name;
    node->icon = look.icon;
    node->button = true;
    Append(*computer_, std::move(node));
}

void FolderTree::Expand(FolderNode& node) {
    if (ReadChildren(node) && view_)
        view_->Expanded(node);
}

std::vector<FolderNode*> FolderTree::VolumeNodes() const {
    std::vector<FolderNode*> volumes;
    for (const auto& child : computer_->children)
        if (child->kind == NodeKind::Volume)
            volumes.push_back(child.get());
    return volumes;
}

// A medium changed: what was read of the volume no longer holds.
void FolderTree::Refresh(FolderNode& volume, const TopFolder& now) {
    DiscardChildren(volume);
    volume.read = false;
    volume.medium = now.medium;
    const ShellLook look = source_.VolumeLook(volume.path);
    volume.name = look.name;
    volume.icon = look.icon;
    volume.button = true;
    if (view_)
        view_->Changed(volume);
}

void FolderTree::Remove(FolderNode& node) {
    if (view_)
        view_->Removing(node);
    if (Within(selected_, node))
        selected_ = nullptr;
    auto& siblings = node.parent->children;
    std::erase_if(siblings, [&](const auto& child) { return child.get() == &node; });
}

void FolderTree::DiscardChildren(FolderNode& node) {
    if (view_)
        view_->Collapsing(node);
    if (selected_ != &node && Within(selected_, node))
        selected_ = nullptr;
    node.children.clear();
}

} // namespace dg
