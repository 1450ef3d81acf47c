// first_host PATH: a new project at PATH with three test groups, closed, opened again and read.
#include <cstdio>
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    CTaDBTDDataSingle store;
    bool ok = store.New(argv[1], 1) == 1;  // copies the template to PATH and works on it there
    for (const char* name : {"Power-on checks", "Signal checks", "Shut-down checks"}) {
        CTaDBTestGroup group;  // a new record carries a fresh key
        group.m_strTgName = name;
        ok = ok && store.AddItem_TestGroupTable(group, 1) == 1;  // mode 1: append a row
    }
    ok = ok && store.Close() == 1;
    if (!ok || store.Open(argv[1]) != 1) {
        std::printf("failed: %s\n%s\n", store.GetErrorInfo().GetString(), store.GetErrorTrace().GetString());
        return 1;
    }
    std::printf("made %s with three test groups, closed it and opened it again\n", argv[1]);
    CObList list;  // the store allocates the records; the host gives them back
    ok = store.GetAllItem_TestGroupTable(list) == 1 && list.GetCount() == 3;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        std::printf("  %s\n", static_cast<CTaDBTestGroup*>(list.GetNext(pos))->m_strTgName.GetString());
    store.ClearObjectList(list, "CTaDBTestGroup");
    CTaDBTestGroup missing;
    const RESULTSTATE found = store.GetItem_TestGroupTable(missing, 1, "no such key");  // 0: no such row
    std::printf("a missing key gives %d: %s\n", found, store.GetErrorInfo().GetString());
    store.Close();
    return ok && found == 0 ? 0 : 1;
}
