#include "platform/win32/LastError.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <sys/stat.h>

#include "platform/win32/FileHold.h"
#include "platform/win32/FolderLock.h"
#include "platform/win32/LogNames.h"
#include "platform/win32/ScratchFile.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;

struct ErrorText {
    DWORD code;
    const char* text;
};

const ErrorText kTexts[] = {
    {ERROR_SUCCESS, "操作成功完成。\r\n"},
    {ERROR_FILE_NOT_FOUND, "系统找不到指定的文件。\r\n"},
    {ERROR_PATH_NOT_FOUND, "系统找不到指定的路径。\r\n"},
    {ERROR_ACCESS_DENIED, "拒绝访问。\r\n"},
    {ERROR_INVALID_HANDLE, "句柄无效。\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, "存储空间不足，无法处理此命令。\r\n"},
    {ERROR_WRITE_PROTECT, "介质受写入保护。\r\n"},
    {ERROR_GEN_FAILURE, "连到系统上的设备没有发挥作用。\r\n"},
    {ERROR_SHARING_VIOLATION, "另一个程序正在使用此文件，进程无法访问。\r\n"},
    {ERROR_NOT_SUPPORTED, "不支持该请求。\r\n"},
    {ERROR_FILE_EXISTS, "文件存在。\r\n"},
    {ERROR_INVALID_PARAMETER, "参数错误。\r\n"},
    {ERROR_DISK_FULL, "磁盘空间不足。\r\n"},
    {ERROR_INVALID_NAME, "文件名、目录名或卷标语法不正确。\r\n"},
    {ERROR_MOD_NOT_FOUND, "找不到指定的模块。\r\n"},
    {ERROR_PROC_NOT_FOUND, "找不到指定的程序。\r\n"},
    {ERROR_ALREADY_EXISTS, "当文件已存在时，无法创建该文件。\r\n"},
    {ERROR_BAD_EXE_FORMAT, "%1 不是有效的 Win32 应用程序。\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "文件名或扩展名太长。\r\n"},
    {ERROR_IO_DEVICE, "由于 I/O 设备错误，无法运行此项请求。\r\n"},
    {ERROR_PROJECT_HAS_SECOND_NAME, "该文件有不止一个名称（硬链接），不能用作项目文件；请将其复制为单独的文件后使用。\r\n"},
    {ERROR_PROJECT_OPEN_IN_PARENT,
     "该项目在本进程由父进程派生（fork）时已被父进程打开，本进程不能使用；请重新启动进程（exec）后使用。\r\n"},
    {ERROR_FORKED_BESIDE_THREADS,
     "本进程由多线程的父进程派生（fork）而来，数据库引擎可能仍被锁定，本进程不能使用项目；请重新启动进程（exec）后使用。\r\n"},
    {ERROR_LOG_NAME_NOT_A_FILE,
     "项目的日志文件名（项目路径加 -journal、-wal 或 -shm）处是符号链接、命名管道、套接字、设备、文件夹或有多个名称的文件，"
     "不是日志文件；移走它之后才能使用该项目。\r\n"},
    {ERROR_LOG_NAME_IS_A_DATABASE,
     "项目的日志文件名（项目路径加 -journal、-wal 或 -shm）处是一个数据库文件（以日志名命名的项目）；"
     "将其改名之后才能使用该项目。\r\n"},
    {ERROR_LOG_NAME_HELD,
     "项目的日志文件名（项目路径加 -journal、-wal 或 -shm）处的文件正被作为项目使用；它关闭并改名之后才能使用该项目。\r\n"},
    {ERROR_RESERVED_PROJECT_NAME,
     "项目文件名不能以 -journal、-wal 或 -shm 结尾（数据库引擎日志文件的名称），也不能是 .ruri-folder-lock"
     "（文件夹锁的名称）。\r\n"},
    {ERROR_FOLDER_LOCK_NAME_TAKEN,
     "文件夹锁的文件名 .ruri-folder-lock 处是符号链接、硬链接、文件夹、命名管道、套接字、设备或正在使用的项目，"
     "不是本库所建的锁文件；移走它之后才能在该文件夹中复制或删除项目。\r\n"},
    {ERROR_SCRATCH_NAMES_TAKEN,
     "项目旁副本暂存文件的名称（.ruri-scratch-…）被符号链接、硬链接、文件夹、命名管道、套接字或设备占用，"
     "没有空余的名称；移走它们之后才能复制到该路径。\r\n"},
};

bool FolderExists(const char* path) {
    struct stat info;
    return stat(FolderOf(path ? path : "").c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD code) { t_lastError = code; }

void SetLastErrorFromErrno(int err, const char* path) {
    switch (err) {
        case 0: SetLastError(ERROR_SUCCESS); break;
        case ENOENT: SetLastError(FolderExists(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND); break;
        case ENOTDIR: SetLastError(ERROR_PATH_NOT_FOUND); break;
        case EACCES:
        case EPERM:
        case EISDIR:
        case ENODEV:  // a path that names no regular file: a pipe, a socket, a device
            SetLastError(ERROR_ACCESS_DENIED);
            break;
        case ENOMEM: SetLastError(ERROR_NOT_ENOUGH_MEMORY); break;
        case EROFS: SetLastError(ERROR_WRITE_PROTECT); break;
        case EBUSY:
        case ETXTBSY: SetLastError(ERROR_SHARING_VIOLATION); break;
        case EEXIST: SetLastError(ERROR_FILE_EXISTS); break;
        case ENOSPC:
        case EDQUOT: SetLastError(ERROR_DISK_FULL); break;
        case EINVAL: SetLastError(ERROR_INVALID_NAME); break;
        case ENAMETOOLONG: SetLastError(ERROR_FILENAME_EXCED_RANGE); break;
        case EIO: SetLastError(ERROR_IO_DEVICE); break;
        case EOPNOTSUPP:
        case ENOSYS: SetLastError(ERROR_NOT_SUPPORTED); break;
        case fileshare::kHeldElsewhere: SetLastError(ERROR_SHARING_VIOLATION); break;
        case fileshare::kSecondName: SetLastError(ERROR_PROJECT_HAS_SECOND_NAME); break;
        case fileshare::kOpenInParent: SetLastError(ERROR_PROJECT_OPEN_IN_PARENT); break;
        case fileshare::kForkedBesideThreads: SetLastError(ERROR_FORKED_BESIDE_THREADS); break;
        case fileshare::kLogNameNotAFile: SetLastError(ERROR_LOG_NAME_NOT_A_FILE); break;
        case fileshare::kLogNameIsADatabase: SetLastError(ERROR_LOG_NAME_IS_A_DATABASE); break;
        case fileshare::kLogNameHeld: SetLastError(ERROR_LOG_NAME_HELD); break;
        case fileshare::kReservedName: SetLastError(ERROR_RESERVED_PROJECT_NAME); break;
        case fileshare::kLockNameTaken: SetLastError(ERROR_FOLDER_LOCK_NAME_TAKEN); break;
        case fileshare::kScratchNamesTaken: SetLastError(ERROR_SCRATCH_NAMES_TAKEN); break;
        default: SetLastError(ERROR_GEN_FAILURE); break;
    }
}

const char* SystemErrorText(DWORD code) {
    for (const ErrorText& entry : kTexts)
        if (entry.code == code) return entry.text;
    return nullptr;
}

std::string SystemErrorLine(DWORD code) {
    const char* text = SystemErrorText(code);
    // The number reads as a signed 32-bit value: 0xFFFFFFFF is (-1).
    const std::string number = "操作系统错误信息：(" + std::to_string(static_cast<int32_t>(code)) + ")";
    return text ? number + "，" + text : number + "。\r\n";
}
