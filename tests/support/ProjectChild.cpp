// A host program of its own, for tests of processes started anew. With two
// arguments it opens the project at argv[1], adds the TPS row whose key is
// argv[2] and exits with 0, or prints why it could not and exits with 1.
// With one, it takes the locale its environment names, as a host does, opens
// the project at argv[1] and prints Open's result, with the message of a
// refusal. With --clocks it prints the library's clocks as its time zone
// (TZ) shows them, one a line: the time text, the ISO text, the current date
// as a number of days and a new record's creation date.
#include <clocale>
#include <cstdio>
#include <cstring>

#include "ATMLCommonError/ATMLCommonFun.h"
#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--clocks") == 0) {
        const CString text = CATMLCommonFun::GetCurrentTimeString(2), iso = CATMLCommonFun::GetCurrentTimeISO();
        const double days = COleDateTime::GetCurrentTime().m_dt;
        const CTaDBTps record;
        std::printf("%s\n%s\n%.17g\n%.17g\n", text.GetString(), iso.GetString(), days, record.m_dtCreateDate.m_dt);
        return 0;
    }
    if (argc == 2) {
        if (!std::setlocale(LC_ALL, "")) return 3;
        CTaDBTDDataSingle store;
        const int result = store.Open(argv[1]);
        std::printf("%d%s%s", result, result == 1 ? "" : " ", result == 1 ? "" : store.GetErrorInfo().GetString());
        return 0;
    }
    if (argc != 3) return 2;
    CTaDBTDDataSingle store;
    CTaDBTps record;
    record.m_strTpsUuid = argv[2];
    if (store.Open(argv[1]) == 1 && store.AddItem_Tps(record, 1) == 1) return 0;
    std::fprintf(stderr, "%s\n", store.GetErrorInfo().GetString());
    return 1;
}
