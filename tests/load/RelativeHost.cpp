// A host that finds the library through a relative LD_LIBRARY_PATH entry:
// it moves to the folder named by its argument, then starts an untitled
// project and prints New's result, the temporary project's path and the
// store's message, one per line.
//   ruri_relative_host folder
#include <cstdio>
#include <unistd.h>

#include "ATMLViewLayer/TaDB/DBActTD/TaDBTDData.h"

int main(int argc, char** argv) {
    if (argc != 2 || chdir(argv[1]) != 0) return 2;
    CTaDBTDDataSingle store;
    const RESULTSTATE result = store.New("", 1);
    CString tempPath;
    store.GetTpsTempPath(tempPath);
    std::printf("%d\n%s\n%s\n", result, tempPath.GetString(), store.GetErrorInfo().GetString());
    store.Close();
    return 0;
}
