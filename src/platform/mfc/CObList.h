// CObject, the root of every object the library hands out in lists, and
// CObList, the MFC list of CObject pointers walked with a POSITION.
// The list holds pointers only: it never deletes what it holds. Its nodes
// are allocated in blocks, as the class library's lists do, so a long list
// is built and walked without an allocation per element.
#pragma once
#include <memory>
#include <vector>

#include "platform/mfc/AfxExt.h"

class AFX_EXT_CLASS CObject {
public:
    virtual ~CObject() = default;
};

struct __POSITION;
typedef __POSITION* POSITION;

class AFX_EXT_CLASS CObList {
public:
    CObList() = default;
    ~CObList() { RemoveAll(); }
    CObList(const CObList&) = delete;
    CObList& operator=(const CObList&) = delete;

    POSITION AddTail(CObject* item);
    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }
    // Returns the element at pos and moves pos to the next one (null after the last).
    CObject*& GetNext(POSITION& pos);
    CObject* GetNext(POSITION& pos) const;
    CObject* GetHead() const { return m_head ? m_head->item : nullptr; }
    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    void RemoveAll();

private:
    struct Node {
        CObject* item;
        Node* next;
    };
    static const int kBlockSize = 64;
    std::vector<std::unique_ptr<Node[]>> m_blocks;
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    int m_count = 0;
};

#include "platform/mfc/AfxExtEnd.h"
