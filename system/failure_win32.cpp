#include "system/failure_win32.h"

#include <windows.h>

namespace barmen::system {

Problem fromWin32Error(unsigned long error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return {Failure::ShortWrite};
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_CANT_ACCESS_FILE:
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
    case ERROR_DIR_NOT_EMPTY:
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
    case ERROR_SEM_TIMEOUT:
    case ERROR_OPERATION_ABORTED:
        return {Failure::DiskError};
    case ERROR_HANDLE_EOF:
        return {Failure::ReadIncomplete};
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return {Failure::PathTooLong};
    case ERROR_TOO_MANY_OPEN_FILES:
        return {Failure::TooManyOpenFiles};
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DELETE_PENDING:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return {Failure::InUse};
    case ERROR_NOT_SAME_DEVICE:
        return {Failure::OtherDisk};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return {Failure::NameTaken};
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return {Failure::BadName};
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_NOT_A_REPARSE_POINT:
        return {Failure::NotSupported};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return {Failure::OutOfMemory};
    case 681:    // ERROR_STOPPED_ON_SYMLINK: a link where a file was asked for
        return {Failure::NotPlainFile};
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
    case ERROR_PIPE_BUSY:
        return {Failure::IsPipe};
    default:
        return {Failure::Unknown, long(error)};
    }
}

} // namespace barmen::system
