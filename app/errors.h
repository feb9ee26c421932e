// Run-time errors in the classic runtime numbering, and the text of the
// message box that reports them.
#pragma once

#include <stdexcept>
#include <string>

namespace vornak {

enum ErrorNumber : int {
    kDeviceUnavailable = 68,
    kDiskNotReady = 71,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
};

// Description of a classic error number ("Path not found").
const char* errorDescription(int number);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    int number() const { return number_; }

    // A drive or folder that cannot be listed: the program reports it and
    // goes on with its lists where they were.
    bool recoverable() const;

private:
    int number_;
};

// "Run-time error '76':\n\nPath not found"
std::string errorReport(int number, const std::string& description);

}  // namespace vornak
