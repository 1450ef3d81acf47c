// An in-memory tree control with the operations of the class library's tree
// control that the common helpers call. The library has no UI: a host's UI
// adapter mirrors these operations on its real control, and tests drive the
// helpers through this model. Item handles stay valid until their item is
// deleted.
#pragma once
#include "platform/mfc/AfxExt.h"
#include <cstdint>
#include <memory>

#include "platform/mfc/CString.h"
#include "platform/ui/ChangeGate.h"
#include "platform/win32/WinTypeNames.h"

struct TreeNode;
typedef TreeNode* HTREEITEM;

// The parent that stands for the top level of the tree.
#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000)))
#define TVE_COLLAPSE 0x0001u
#define TVE_EXPAND 0x0002u
#define TVIS_EXPANDED 0x0020u

class AFX_EXT_CLASS CTreeCtrl {
public:
    CTreeCtrl();
    ~CTreeCtrl();
    CTreeCtrl(const CTreeCtrl&) = delete;
    CTreeCtrl& operator=(const CTreeCtrl&) = delete;

    // Appends an item under parent (TVI_ROOT: the top level); null when refused.
    HTREEITEM InsertItem(LPCTSTR text, HTREEITEM parent = TVI_ROOT);
    // The first item of the top level; null in an empty tree.
    HTREEITEM GetRootItem() const;
    // The first child (of TVI_ROOT: the root item), null when there is none.
    HTREEITEM GetChildItem(HTREEITEM item) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
    // TVE_EXPAND or TVE_COLLAPSE; FALSE for no item or another code.
    BOOL Expand(HTREEITEM item, UINT code);
    // Deletes the item with everything under it; FALSE when refused.
    BOOL DeleteItem(HTREEITEM item);
    UINT GetItemState(HTREEITEM item, UINT mask) const;
    CString GetItemText(HTREEITEM item) const;

    // Lets the next `changes` insertions and deletions through and refuses
    // the ones after (last error 8), as a control that cannot allocate
    // does; a negative count refuses none. An item that is not there fails
    // with last error 87.
    void FailAfter(int changes) { m_gate.FailAfter(changes); }

private:
    TreeNode* Parent(HTREEITEM item) const;

    std::unique_ptr<TreeNode> m_top;
    ChangeGate m_gate;
};

#include "platform/mfc/AfxExtEnd.h"
