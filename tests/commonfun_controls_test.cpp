#include <gtest/gtest.h>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "platform/win32/LastError.h"

namespace {
// root(a(a1, a2(a21)), b(b1)), top2: the texts of the open items in walk order.
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
    EXPECT_EQ(fun.GetErrorInfo(), code == 3 ? CString("空") : CATMLCommonFun::GetOSErrorMessage(error));
    EXPECT_EQ(fun.GetErrorTrace(), "");
}
}  // namespace

TEST(CommonFunControls, TreesOpenCloseAndLoseChildren) {
    CTreeCtrl tree;
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
        EXPECT_EQ(list.GetColumn(i).heading, titles[i]);
        EXPECT_EQ(list.GetColumn(i).width, widths[i]);
        EXPECT_EQ(list.GetColumn(i).format, LVCFMT_CENTER);
        EXPECT_EQ(list.GetColumn(i).subItem, i);
    }
    struct Case { CListCtrl* list; int count; const int* widths; const CString* titles; int refuseAfter; long code; DWORD error; int left; };
    CListCtrl fresh;
    const Case failing[] = {
        {nullptr, 3, widths, titles, -1, 3, 0, 0},
        {&fresh, 3, nullptr, titles, -1, 3, 0, 0},
        {&fresh, 3, widths, nullptr, -1, 3, 0, 0},
        {&fresh, -1, widths, titles, -1, 30, ERROR_INVALID_PARAMETER, 0},
        {&fresh, 3, widths, titles, 2, 30, ERROR_NOT_ENOUGH_MEMORY, 2},
    };
    for (const Case& c : failing) {
        fresh.FailAfter(c.refuseAfter);
        EXPECT_EQ(fun.InsertListColumns(c.list, c.count, c.widths, c.titles, LVCFMT_LEFT), -1) << c.code;
        ExpectFailure(fun, c.code, c.error);
        EXPECT_EQ(fresh.GetColumnCount(), c.left);
    }
}

TEST(CommonFunControls, ListRowsCheckTheirIndexAndReportRefusals) {
    const int widths[] = {10, 10, 10};
    const CString row[] = {"x", "y", "z", "beyond the columns"};
    CListCtrl list;
    CATMLCommonFun fun;
    ASSERT_EQ(fun.InsertListColumns(&list, 3, widths, row, LVCFMT_LEFT), 1);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(fun.InsertListRow(&list, row, 1, 0, -1), 1);
    const CString texts[] = {"名称", "5", "V"};
    EXPECT_EQ(fun.InsertListRow(&list, texts, 3, 7, -1), 1);
    EXPECT_EQ(fun.InsertListRow(&list, texts, 2, 8, 1), 1);
    ASSERT_EQ(list.GetItemCount(), 6);
    const std::pair<int, std::vector<std::string>> expected[] = {{5, {"名称", "5", "V"}}, {1, {"名称", "5", ""}}, {2, {"x", "", ""}}};
    for (const auto& [item, subs] : expected)
        for (int sub = 0; sub < 3; ++sub) EXPECT_EQ(std::string(list.GetItemText(item, sub)), subs[sub]) << item;
    EXPECT_EQ(list.GetItemImage(5), 7);
    EXPECT_EQ(list.GetItemImage(1), 8);
    EXPECT_EQ(list.GetItemState(5, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));

    struct Case { CListCtrl* list; const CString* texts; int count; int item; int refuseAfter; long code; DWORD error; int added; };
    const Case failing[] = {
        {nullptr, texts, 3, -1, -1, 3, 0, 0},
        {&list, nullptr, 3, -1, -1, 3, 0, 0},
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
}

TEST(CommonFunControls, ListItemImageOnlyOnItemsThatAreThere) {
    const CString text[] = {"a"};
    CListCtrl list;
    CATMLCommonFun fun;
    ASSERT_EQ(fun.InsertListRow(&list, text, 1, 2, -1), 1);
    EXPECT_EQ(fun.SetListItemImage(&list, 0, 9), 1);
    EXPECT_EQ(list.GetItemImage(0), 9);
    EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    const std::tuple<CListCtrl*, int, int, long, DWORD> failing[] = {
        {nullptr, 0, -1, 3, 0},
        {&list, 1, -1, 33, ERROR_INVALID_PARAMETER},
        {&list, 0, 0, 33, ERROR_NOT_ENOUGH_MEMORY},
    };
    for (const auto& [target, item, refuseAfter, code, error] : failing) {
        list.FailAfter(refuseAfter);
        EXPECT_EQ(fun.SetListItemImage(target, item, 4), -1) << code;
        ExpectFailure(fun, code, error);
        EXPECT_EQ(list.GetItemImage(0), 9);
    }
}
