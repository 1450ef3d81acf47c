#include "platform/ui/TreeCtrl.h"

#include <algorithm>
#include <vector>

#include "platform/win32/WinTypes.h"

struct TreeNode {
    CString text;
    UINT state = 0;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;

    std::vector<std::unique_ptr<TreeNode>>::iterator Place() {
        auto& siblings = parent->children;
        return std::find_if(siblings.begin(), siblings.end(), [this](const auto& node) { return node.get() == this; });
    }
};

namespace {
// An item a caller may change or read: not null and not the top level.
bool IsItem(HTREEITEM item) { return item && item != TVI_ROOT; }
}  // namespace

CTreeCtrl::CTreeCtrl() : m_top(std::make_unique<TreeNode>()) {}

CTreeCtrl::~CTreeCtrl() = default;

TreeNode* CTreeCtrl::Parent(HTREEITEM item) const { return item == TVI_ROOT ? m_top.get() : item; }

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent) {
    TreeNode* owner = Parent(parent);
    if (!m_gate.MayChange(owner != nullptr)) return nullptr;
    owner->children.push_back(std::make_unique<TreeNode>());
    TreeNode* item = owner->children.back().get();
    item->text = text;
    item->parent = owner;
    return item;
}

HTREEITEM CTreeCtrl::GetRootItem() const { return GetChildItem(TVI_ROOT); }

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const {
    TreeNode* owner = Parent(item);
    return owner && !owner->children.empty() ? owner->children.front().get() : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const {
    if (!IsItem(item)) return nullptr;
    auto next = item->Place() + 1;
    return next != item->parent->children.end() ? next->get() : nullptr;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) {
    if (!IsItem(item) || (code != TVE_EXPAND && code != TVE_COLLAPSE)) return FALSE;
    if (code == TVE_EXPAND) item->state |= TVIS_EXPANDED;
    else item->state &= ~TVIS_EXPANDED;
    return TRUE;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item) {
    if (!m_gate.MayChange(IsItem(item))) return FALSE;
    item->parent->children.erase(item->Place());
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const { return IsItem(item) ? item->state & mask : 0; }

CString CTreeCtrl::GetItemText(HTREEITEM item) const { return IsItem(item) ? item->text : CString(); }
