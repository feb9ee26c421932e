#include "errors.h"

namespace vornak {

const char* errorDescription(int number)
{
    switch (number) {
    case kDeviceUnavailable: return "Device unavailable";
    case kDiskNotReady: return "Disk not ready";
    case kPathFileAccessError: return "Path/File access error";
    case kPathNotFound: return "Path not found";
    case 7: return "Out of memory";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : std::runtime_error(errorDescription(number)), number_(number) {}

bool RuntimeError::recoverable() const
{
    return number_ == kDeviceUnavailable || number_ == kDiskNotReady || number_ == kPathFileAccessError
        || number_ == kPathNotFound;
}

std::string errorReport(int number, const std::string& description)
{
    return "Run-time error '" + std::to_string(number) + "':\n\n" + description;
}

}  // namespace vornak
