#include "platform/portable/folder_tree.h"

#include "platform/system.h"

#include <algorithm>

namespace dg {

namespace {

constexpr int DriveSlots = 32;
constexpr char ComputerFallbackName[] = "My Computer";
constexpr char DocumentsFallbackName[] = "My Documents";

bool Within(const FolderNode* node, const FolderNode& subtree) {
    for (; node != nullptr; node = node->parent)
        if (node == &subtree)
            return true;
    return false;
}

} // namespace

FolderTree::FolderTree(FolderSource& source, FolderTreeView* view) : source_(source), view_(view) {}

std::vector<std::string> FolderTree::Split(const std::string& text) const {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
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
        // The part after the last backslash is a file pattern, for trees that show files.
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
    case NodeKind::Drive:
        path = {static_cast<char>('A' + node.drive), ':', '\\'};
        break;
    case NodeKind::Documents:
        path = documentsPath_;
        break;
    case NodeKind::Folder:
        path = node.parent ? PathOf(*node.parent) : std::string();
        if (path.empty())
            return {};
        path += node.name + '\\';
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
    if (!computer_ || folderPath.size() < 2 || folderPath[1] != ':')
        return nullptr;
    const char letter = UpperCase(folderPath.substr(0, 1))[0];
    FolderNode* node = nullptr;
    for (const auto& child : computer_->children)
        if (child->kind == NodeKind::Drive && 'A' + child->drive == letter)
            node = child.get();
    if (!node)
        return nullptr;
    Expand(*node);
    const std::vector<std::string> parts =
        Split(folderPath.size() > 3 ? folderPath.substr(3) : std::string());
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        const auto found =
            std::find_if(node->children.begin(), node->children.end(),
                         [&](const auto& child) { return SameName(child->name, part); });
        if (found == node->children.end())
            return nullptr;
        node = found->get();
        Expand(*node);
    }
    return node;
}

bool FolderTree::ReadChildren(FolderNode& node) {
    if (node.read)
        return !node.children.empty();
    const std::string path = PathOf(node);
    if (path.empty())
        return false;
    if (node.kind == NodeKind::Drive) {
        const DriveAccess access = source_.CheckDrive(node.drive);
        if (access == DriveAccess::NotReady) {
            promptDrive_ = node.drive;
            if (view_)
                view_->PromptChanged(node.drive);
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
        const std::string childPath = PathOf(*child);
        child->hasButton = !childPath.empty() && source_.HasSubfolder(childPath);
        Append(node, std::move(child));
    }
    node.read = true;
    return !node.children.empty();
}

void FolderTree::DrivesRemoved(unsigned long named) {
    if (!computer_)
        return;
    const unsigned long present = source_.Drives();
    std::vector<FolderNode*> drives;
    for (const auto& child : computer_->children)
        if (child->kind == NodeKind::Drive)
            drives.push_back(child.get());
    for (FolderNode* drive : drives) {
        const unsigned long bit = 1UL << drive->drive;
        if ((present & bit) == 0)
            Remove(*drive);
        else if ((named & bit) != 0)
            Refresh(*drive);
    }
    if (promptDrive_ >= 0 && (present & (1UL << promptDrive_)) == 0)
        ClosePrompt();
}

void FolderTree::DrivesArrived(unsigned long named) {
    if (!computer_)
        return;
    if (promptDrive_ >= 0 && (named & (1UL << promptDrive_)) != 0)
        ClosePrompt();
    const unsigned long present = source_.Drives();
    unsigned long shown = 0;
    for (const auto& child : computer_->children) {
        if (child->kind != NodeKind::Drive)
            continue;
        shown |= 1UL << child->drive;
        if ((named & present & (1UL << child->drive)) != 0)
            Refresh(*child);
    }
    for (int drive = 0; drive < DriveSlots; ++drive)
        if ((present & ~shown & (1UL << drive)) != 0)
            AppendDrive(drive);
}

void FolderTree::ClosePrompt() {
    if (promptDrive_ < 0)
        return;
    promptDrive_ = -1;
    if (view_)
        view_->PromptChanged(-1);
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

    const unsigned long drives = source_.Drives();
    for (int drive = 0; drive < DriveSlots; ++drive)
        if ((drives & (1UL << drive)) != 0)
            AppendDrive(drive);

    DocumentsFolder documents = source_.Documents();
    documentsPath_ = documents.path;
    if (!documentsPath_.empty() && !Split(documentsPath_).back().empty())
        documentsPath_ += '\\';
    if (documents.shown && !documentsPath_.empty()) {
        auto node = std::make_unique<FolderNode>();
        node->kind = NodeKind::Documents;
        node->name = documents.look.name.empty() ? DocumentsFallbackName : documents.look.name;
        node->icon = documents.look.icon;
        node->hasButton = true;
        Append(*computer_, std::move(node));
    }
    Expand(*computer_);
}

FolderNode& FolderTree::Append(FolderNode& parent, std::unique_ptr<FolderNode> node) {
    node->parent = &parent;
    FolderNode& added = *parent.children.emplace_back(std::move(node));
    if (view_)
        view_->Added(added);
    return added;
}

FolderNode& FolderTree::AppendDrive(int drive) {
    auto node = std::make_unique<FolderNode>();
    node->kind = NodeKind::Drive;
    node->drive = drive;
    const ShellLook look = source_.DriveLook(drive);
    node->name = look.name;
    node->icon = look.icon;
    node->hasButton = true;
    return Append(*computer_, std::move(node));
}

void FolderTree::Expand(FolderNode& node) {
    if (ReadChildren(node) && view_)
        view_->Expanded(node);
}

// A medium changed: what was read of the drive no longer holds.
void FolderTree::Refresh(FolderNode& drive) {
    DiscardChildren(drive);
    drive.read = false;
    const ShellLook look = source_.DriveLook(drive.drive);
    drive.name = look.name;
    drive.icon = look.icon;
    drive.hasButton = true;
    if (view_)
        view_->Changed(drive);
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
