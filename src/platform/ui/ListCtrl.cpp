#include "platform/ui/ListCtrl.h"

#include "platform/win32/WinTypes.h"

namespace {
// Where an insertion before `at` lands in a sequence of `count`: past the end appends.
int Place(int at, int count) { return at > count ? count : at; }
}  // namespace

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem) {
    if (!m_gate.MayChange(column >= 0)) return -1;
    column = Place(column, GetColumnCount());
    m_columns.insert(m_columns.begin() + column, ListColumn{heading, format, width, subItem});
    return column;
}

int CListCtrl::InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM) {
    if (!m_gate.MayChange(item >= 0)) return -1;
    item = Place(item, GetItemCount());
    Item row;
    row.texts.resize(1);
    if (mask & LVIF_TEXT) row.texts[0] = text;
    if (mask & LVIF_IMAGE) row.image = image;
    if (mask & LVIF_STATE) row.state = state & stateMask;
    m_items.insert(m_items.begin() + item, row);
    return item;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text) {
    return SetItem(item, subItem, LVIF_TEXT, text, 0, 0, 0, 0);
}

BOOL CListCtrl::SetItem(int item, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                        LPARAM) {
    if (!m_gate.MayChange(IsItem(item) && IsSubItem(subItem))) return FALSE;
    Item& row = m_items[static_cast<size_t>(item)];
    if (row.texts.size() <= static_cast<size_t>(subItem)) row.texts.resize(static_cast<size_t>(subItem) + 1);
    if (mask & LVIF_TEXT) row.texts[static_cast<size_t>(subItem)] = text;
    if (subItem != 0) return TRUE;
    if (mask & LVIF_IMAGE) row.image = image;
    if (mask & LVIF_STATE) row.state = (row.state & ~stateMask) | (state & stateMask);
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    if (!IsItem(item) || subItem < 0) return CString();
    const auto& texts = m_items[static_cast<size_t>(item)].texts;
    return static_cast<size_t>(subItem) < texts.size() ? texts[static_cast<size_t>(subItem)] : CString();
}

int CListCtrl::GetItemImage(int item) const { return IsItem(item) ? m_items[static_cast<size_t>(item)].image : -1; }

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return IsItem(item) ? m_items[static_cast<size_t>(item)].state & mask : 0;
}
