#include "platform/mfc/CObList.h"

#include <stdexcept>

POSITION CObList::AddTail(CObject* item) {
    // The block is owned before the list of blocks grows, so that a failed growth frees it.
    if (m_count % kBlockSize == 0) m_blocks.push_back(std::make_unique<Node[]>(kBlockSize));
    Node* node = &m_blocks.back()[m_count % kBlockSize];
    *node = Node{item, nullptr};
    if (m_tail) m_tail->next = node; else m_head = node;
    m_tail = node;
    ++m_count;
    return reinterpret_cast<POSITION>(node);
}

CObject*& CObList::GetNext(POSITION& pos) {
    Node* node = reinterpret_cast<Node*>(pos);
    if (!node) throw std::out_of_range("CObList::GetNext past the end");
    pos = reinterpret_cast<POSITION>(node->next);
    return node->item;
}

CObject* CObList::GetNext(POSITION& pos) const { return const_cast<CObList*>(this)->GetNext(pos); }

void CObList::RemoveAll() {
    m_blocks.clear();
    m_head = m_tail = nullptr;
    m_count = 0;
}
