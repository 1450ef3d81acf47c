// The messages the store writes into its error state.
#pragma once
// Running out of memory and the unknown error are answered as everywhere
// in the library: kMsgOutOfMemory and kMsgUnknown.
#include "ATMLCommonError/Answering.h"

// No row has the key the caller gave.
const char kMsgNotFound[] = "数据库中不存在指定记录！";
// The table's edition is below the one the library reads and writes.
const char kMsgEditionTooLow[] = "数据表的版本低于10，不能读写该表！";
// A row of a list was asked for while no list is being read.
const char kMsgNoOpenList[] = "没有正在读取的记录列表！";
// A select by condition was given no condition.
const char kMsgNoCondition[] = "查询条件为空！";
