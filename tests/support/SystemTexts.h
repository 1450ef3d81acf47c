// What the library says for each system error the tests meet, as a host
// reads it: "操作系统错误信息：(N)，" and the system's message for error N with
// its line break. The messages are written out here, as the system's
// message table (Chinese) gives them and the library's own for its own
// numbers, so that a test holds the library to these texts, not to itself.
#pragma once
#include <map>
#include <string>

// Error 32, a sharing violation: a file in use.
inline const std::string kInUseText = "操作系统错误信息：(32)，另一个程序正在使用此文件，进程无法访问。\r\n";

inline std::string SystemText(unsigned long code) {
    static const std::map<unsigned long, std::string> messages = {
        {0, "操作成功完成。"},
        {2, "系统找不到指定的文件。"},
        {3, "系统找不到指定的路径。"},
        {5, "拒绝访问。"},
        {8, "存储空间不足，无法处理此命令。"},
        {50, "不支持该请求。"},
        {87, "参数错误。"},
        {112, "磁盘空间不足。"},
        {126, "找不到指定的模块。"},
        {127, "找不到指定的程序。"},
        {183, "当文件已存在时，无法创建该文件。"},
        {193, "%1 不是有效的 Win32 应用程序。"},
        {206, "文件名或扩展名太长。"},
        // The library's own numbers (the customer bit set).
        {0x20000001, "该文件有不止一个名称（硬链接），不能用作项目文件；请将其复制为单独的文件后使用。"},
        {0x20000002,
         "该项目在本进程由父进程派生（fork）时已被父进程打开，本进程不能使用；请重新启动进程（exec）后使用。"},
        {0x20000003,
         "本进程由多线程的父进程派生（fork）而来，数据库引擎可能仍被锁定，本进程不能使用项目；请重新启动进程（exec）"
         "后使用。"},
    };
    if (code == 32) return kInUseText;
    const auto found = messages.find(code);
    if (found == messages.end()) return "<no message written out for error " + std::to_string(code) + ">";
    return "操作系统错误信息：(" + std::to_string(code) + ")，" + found->second + "\r\n";
}
