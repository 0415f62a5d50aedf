#include "document/ProcessWorkingDirectory.h"

#include <filesystem>
#include <system_error>

bool CProcessWorkingDirectory::Set(const std::string& path)
{
    std::error_code error;
    std::filesystem::current_path(path, error);
    return !error;
}
