#pragma once
// Errors that end a command. what() is the exact text the user sees; the window shows it in the
// application-wide error box, the command-line tool prints it on standard error.

#include <stdexcept>
#include <string>

namespace dialoscope {

class EDialoscopeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened for reading: "Cannot open file %s" with the path as built.
class EFOpenError : public EDialoscopeError {
public:
    explicit EFOpenError(const std::string& path)
        : EDialoscopeError("Cannot open file " + path), Path(path) {}
    std::string Path;
};

// A pipe, a device or a socket where a file is read: "%s is not a regular file".
class ENotRegularFileError : public EDialoscopeError {
public:
    explicit ENotRegularFileError(const std::string& path)
        : EDialoscopeError(path + " is not a regular file"), Path(path) {}
    std::string Path;
};

// A file that cannot be created: "Cannot create file %s".
class EFCreateError : public EDialoscopeError {
public:
    explicit EFCreateError(const std::string& path)
        : EDialoscopeError("Cannot create file " + path), Path(path) {}
    std::string Path;
};

// A write that failed part-way (disk full).
class EWriteError : public EDialoscopeError {
public:
    EWriteError() : EDialoscopeError("Stream write error") {}
};

// A text that is not a valid integer: "'%s' is not a valid integer value".
class EConvertError : public EDialoscopeError {
public:
    explicit EConvertError(const std::string& text)
        : EDialoscopeError("'" + text + "' is not a valid integer value"), Text(text) {}
    std::string Text;
};

} // namespace dialoscope
