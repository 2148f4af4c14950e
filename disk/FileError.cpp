#include "disk/FileError.h"

#include "disk/PathNames.h"

#include <cerrno>
#include <system_error>

namespace parvelin::disk {

FileError fileErrorOf(int errorNumber, FileAccess access, std::string path) {
    FileFault fault = FileFault::Other;
    switch (errorNumber) {
    case ENOSPC:
#ifdef EDQUOT // not in Windows' C library
    case EDQUOT:
#endif
    case EFBIG:
        fault = FileFault::NoSpace;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        fault = access == FileAccess::Write ? FileFault::NoWritePermission
                                            : FileFault::NoReadPermission;
        break;
    case ENOENT:
    case ENOTDIR:
        fault = FileFault::NotFound;
        break;
    case EISDIR:
    case ENXIO: // a FIFO without a writer, opened without blocking
        fault = FileFault::NotRegularFile;
        break;
    default:
        break;
    }
    return {fault, errorNumber, std::move(path)};
}

std::string describe(const FileError& error) {
    std::string cause;
    switch (error.fault) {
    case FileFault::NoSpace:
        cause = "磁盘空间不足";
        break;
    case FileFault::NoWritePermission:
        cause = "没有写入权限";
        break;
    case FileFault::NoReadPermission:
        cause = "没有读取权限";
        break;
    case FileFault::NotFound:
        cause = "文件或文件夹不存在";
        break;
    case FileFault::NotRegularFile:
        cause = "不是普通文件";
        break;
    case FileFault::TooLarge:
        cause = "文件过大，不是数据文件";
        break;
    case FileFault::OwnerNotKept:
        cause = "无法保留文件原来的所有者";
        break;
    case FileFault::FolderNotPrivate:
        cause = "文件夹不属于当前用户，或其他用户可以写入";
        break;
    case FileFault::ForeignLink:
        cause = "符号链接不属于当前用户，或其所在文件夹其他用户可以写入";
        break;
    case FileFault::LinkAppeared:
        cause = "文件打开后已被替换为符号链接";
        break;
    case FileFault::LinkRedirected:
        cause = "文件打开时所经的符号链接已指向别处";
        break;
    case FileFault::OwnerNotGiven:
        cause = "无法将新文件交给所在文件夹的所有者";
        break;
    case FileFault::SameAsInput:
        cause = "输出文件就是输入文件";
        break;
    case FileFault::InUse:
        cause = "文件正被其他程序使用";
        break;
    case FileFault::PathTooLong:
        cause = "路径过长";
        break;
    case FileFault::Other:
        cause = "读写错误";
        if (error.errorNumber != 0) {
            cause += "：" + std::generic_category().message(error.errorNumber);
        }
        break;
    }
    const std::string leadsTo =
        error.target.empty() ? std::string() : " → " + displayPath(error.target);
    return cause + "（" + displayPath(error.path) + leadsTo + "）";
}

} // namespace parvelin::disk
