#include <gtest/gtest.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/LastError.h"
#include "support/SystemTexts.h"

namespace {
// The texts of the open items under item (null: the whole tree) in walk order.
std::string Open(const CTreeCtrl& tree, HTREEITEM item = nullptr) {
    std::string open;
    for (HTREEITEM at = item ? tree.GetChildItem(item) : tree.GetRootItem(); at; at = tree.GetNextSiblingItem(at)) {
        if (tree.GetItemState(at, TVIS_EXPANDED)) open += std::string(tree.GetItemText(at)) + " ";
        open += Open(tree, at);
    }
    return open;
}

void ExpectFailure(const CATMLCommonFun& fun, long code, DWORD error) {
    EXPECT_EQ(fun.GetErrorCode(), code);
    EXPECT_EQ(fun.GetErrorInfo(), code == 3 ? CString("空") : CString(SystemText(error).c_str()));
    EXPECT_EQ(fun.GetErrorTrace(), "");
}
}  // namespace

TEST(CommonFunControls, TreesOpenCloseAndLoseChildren) {
    CTreeCtrl tree;  // root(a(a1, a2(a21)), b(b1)), top2
    HTREEITEM root = tree.InsertItem("root"), a = tree.InsertItem("a", root), b = tree.InsertItem("b", root);
    tree.InsertItem("a1", a);
    tree.InsertItem("a21", tree.InsertItem("a2", a));
    tree.InsertItem("b1", b);
    tree.InsertItem("top2");
    EXPECT_EQ(CATMLCommonFun::ExpandTreeItem(&tree, nullptr, true), 1);
    EXPECT_EQ(Open(tree), "root a a1 a2 a21 b b1 ");
    EXPECT_EQ(CATMLCommonFun::ExpandTreeItem(&tree, a, false), 1);
    EXPECT_EQ(Open(tree), "root a a21 b b1 ");
    EXPECT_EQ(CATMLCommonFun::CollapseTreeItem(&tree, nullptr), 1);
    EXPECT_EQ(Open(tree), "a a21 b ");

    EXPECT_EQ(CATMLCommonFun::DeleteTreeChildren(&tree, nullptr), 1);
    EXPECT_EQ(CATMLCommonFun::DeleteTreeChildren(&tree, a), 1);
    EXPECT_EQ(tree.GetChildItem(a), nullptr);
    EXPECT_EQ(tree.GetItemText(tree.GetChildItem(b)), "b1");
    tree.FailAfter(1);
    EXPECT_EQ(CATMLCommonFun::DeleteTreeChildren(&tree, root), -1);
    EXPECT_EQ(tree.GetChildItem(root), b);
    EXPECT_EQ(tree.GetItemText(tree.GetNextSiblingItem(root)), "top2");

    EXPECT_EQ(CATMLCommonFun::ExpandTreeItem(nullptr, nullptr, true), 1);
    EXPECT_EQ(CATMLCommonFun::CollapseTreeItem(nullptr, a), 1);
    EXPECT_EQ(CATMLCommonFun::DeleteTreeChildren(nullptr, a), 1);
}

TEST(CommonFunControls, ListColumnsTakeFormatWidthTitleAndIndex) {
    const int widths[] = {50, 60, 70};
    const CString titles[] = {"名称", "值", "单位"};
    CListCtrl list;
    CATMLCommonFun fun;
    EXPECT_EQ(fun.InsertListColumns(&list, 3, widths, titles, LVCFMT_CENTER), 1);
    ASSERT_EQ(list.GetColumnCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const ListColumn& column = list.GetColumn(i);
        EXPECT_EQ(std::make_tuple(column.heading, column.width, column.format, column.subItem),
                  std::make_tuple(titles[i], widths[i], LVCFMT_CENTER, i));
    }
    struct Case {
        CListCtrl* list; int count; const int* widths; const CString* titles;
        int refuseAfter; long code; DWORD error; int left;
    };
    CListCtrl fresh;
    const Case failing[] = {
        {nullptr, 3, widths, titles, -1, 3, 0, 0}, {&fresh, 3, nullptr, titles, -1, 3, 0, 0},
        {&fresh, 3, widths, nullptr, -1, 3, 0, 0}, {&fresh, -1, widths, titles, -1, 30, ERROR_INVALID_PARAMETER, 0},
        {&fresh, 3, widths, titles, 2, 30, ERROR_NOT_ENOUGH_MEMORY, 2},
    };
    for (const Case& c : failing) {
        fresh.FailAfter(c.refuseAfter);
        EXPECT_EQ(fun.InsertListColumns(c.list, c.count, c.widths, c.titles, LVCFMT_LEFT), -1) << c.code;
        ExpectFailure(fun, c.code, c.error);
        EXPECT_EQ(fresh.GetColumnCount(), c.left);
    }
}

TEST(CommonFunControls, ListRowsAndImagesCheckTheirIndexAndReportRefusals) {
    const int widths[] = {10, 10, 10};
    const CString row[] = {"x", "y", "z", "beyond the columns"}, texts[] = {"名称", "5", "V"};
    CListCtrl list;
    CATMLCommonFun fun;
    ASSERT_EQ(fun.InsertListColumns(&list, 3, widths, row, LVCFMT_LEFT), 1);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(fun.InsertListRow(&list, row, 1, 0, -1), 1);
    EXPECT_EQ(fun.InsertListRow(&list, texts, 3, 7, -1), 1);
    EXPECT_EQ(fun.InsertListRow(&list, texts, 2, 8, 1), 1);
    EXPECT_EQ(fun.SetListItemImage(&list, 2, 9), 1);
    ASSERT_EQ(list.GetItemCount(), 6);
    const std::tuple<int, std::string, int> expected[] = {{5, "名称|5|V", 7}, {1, "名称|5|", 8}, {2, "x||", 9}};
    for (const auto& [item, subs, image] : expected) {
        CString seen = list.GetItemText(item, 0) + "|" + list.GetItemText(item, 1) + "|" + list.GetItemText(item, 2);
        EXPECT_EQ(std::string(seen), subs);
        EXPECT_EQ(list.GetItemImage(item), image);
        EXPECT_EQ(list.GetItemState(item, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    }
    struct Case {
        CListCtrl* list; const CString* texts; int count; int item; int refuseAfter; long code; DWORD error; int added;
    };
    const Case failing[] = {
        {nullptr, texts, 3, -1, -1, 3, 0, 0}, {&list, nullptr, 3, -1, -1, 3, 0, 0},
        {&list, texts, 3, 7, -1, 31, ERROR_INVALID_PARAMETER, 0},
        {&list, texts, 3, -2, -1, 31, ERROR_INVALID_PARAMETER, 0},
        {&list, texts, -1, 0, -1, 31, ERROR_INVALID_PARAMETER, 0},
        {&list, texts, 3, 0, 0, 31, ERROR_NOT_ENOUGH_MEMORY, 0},
        {&list, texts, 3, 0, 1, 32, ERROR_NOT_ENOUGH_MEMORY, 1},
        {&list, row, 4, -1, -1, 32, ERROR_INVALID_PARAMETER, 1},
    };
    for (const Case& c : failing) {
        const int before = list.GetItemCount();
        list.FailAfter(c.refuseAfter);
        EXPECT_EQ(fun.InsertListRow(c.list, c.texts, c.count, 0, c.item), -1) << c.code << " at " << c.item;
        ExpectFailure(fun, c.code, c.error);
        EXPECT_EQ(list.GetItemCount(), before + c.added);
    }
    const std::tuple<CListCtrl*, int, int, long, DWORD> images[] = {
        {nullptr, 0, -1, 3, 0}, {&list, 99, -1, 33, ERROR_INVALID_PARAMETER}, {&list, 0, 0, 33, ERROR_NOT_ENOUGH_MEMORY}};
    ASSERT_EQ(fun.SetListItemImage(&list, 0, 9), 1);
    for (const auto& [target, item, refuseAfter, code, error] : images) {
        list.FailAfter(refuseAfter);
        EXPECT_EQ(fun.SetListItemImage(target, item, 4), -1) << code;
        ExpectFailure(fun, code, error);
        EXPECT_EQ(list.GetItemImage(0), 9);
    }
}
