// A host program of its own, for tests of processes started anew: it opens
// the project at argv[1], adds the TPS row whose key is argv[2] and exits
// with 0, or prints why it could not and exits with 1.
#include <cstdio>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    CTaDBTDDataSingle store;
    CTaDBTps record;
    record.m_strTpsUuid = argv[2];
    if (store.Open(argv[1]) == 1 && store.AddItem_Tps(record, 1) == 1) return 0;
    std::fprintf(stderr, "%s\n", store.GetErrorInfo().GetString());
    return 1;
}
