#pragma once
// Errors that end a command. what() is the exact text the user sees; the window shows it in the
// application-wide error box, the command-line tool prints it on standard error.

#include <stdexcept>
#include <string>
#include <utility>

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

// A write that failed part-way (disk full). The text stays as the window shows it; Path (when
// known) and Cause (an errno value, 0 when none was given) say which file and why, for a second
// line (WriteErrorDetail).
class EWriteError : public EDialoscopeError {
public:
    explicit EWriteError(std::string path = {}, int cause = 0)
        : EDialoscopeError("Stream write error"), Path(std::move(path)), Cause(cause) {}
    std::string Path;
    int Cause;
};

// What an error says, where a caller words it into a finding or a status: "out of memory" for
// memory running out, else what().
std::string ErrorText(const std::exception& error);

// "cannot write FILE: CAUSE", from what the error knows of both; empty when it knows neither.
std::string WriteErrorDetail(const EWriteError& error);

// Memory ran out: "out of memory while DOING", DOING naming the work ("building the Dialogs
// Tree"), for an error that would otherwise say only "std::bad_alloc".
class EOutOfMemory : public EDialoscopeError {
public:
    explicit EOutOfMemory(const std::string& doing)
        : EDialoscopeError("out of memory while " + doing) {}
};

// A text that is not a valid integer: "'%s' is not a valid integer value".
class EConvertError : public EDialoscopeError {
public:
    explicit EConvertError(const std::string& text)
        : EDialoscopeError("'" + text + "' is not a valid integer value"), Text(text) {}
    std::string Text;
};

} // namespace dialoscope
