#include "system/failure_win32.h"

#include <windows.h>

namespace barmen::system {

Problem fromWin32Error(unsigned long error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return {Failure::ShortWrite};
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
    case ERROR_INVALID_ACCESS:
    case ERROR_CANNOT_MAKE:
        return {Failure::NoPermission};
    case ERROR_WRITE_PROTECT:
        return {Failure::ReadOnlyDisk};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {Failure::NoSpace};
    case 1295:   // ERROR_DISK_QUOTA_EXCEEDED
    case ERROR_NOT_ENOUGH_QUOTA:
        return {Failure::QuotaFull};
    case ERROR_FILE_TOO_LARGE:
        return {Failure::FileTooBig};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return {Failure::NoSuchFile};
    case ERROR_DIRECTORY:
        return {Failure::NotAFolderOnPath};
    case 336:    // ERROR_DIRECTORY_NOT_SUPPORTED
        return {Failure::IsFolder};
    case ERROR_CANT_RESOLVE_FILENAME:
        return {Failure::LinkLoop};
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_IO_DEVICE:
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETNAME_DELETED:
        return {Failure::DiskError};
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return {Failure::PathTooLong};
    case ERROR_TOO_MANY_OPEN_FILES:
        return {Failure::TooManyOpenFiles};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return {Failure::InUse};
    case ERROR_NOT_SAME_DEVICE:
        return {Failure::OtherDisk};
    default:
        return {Failure::Unknown, long(error)};
    }
}

} // namespace barmen::system
