#pragma once
// Load, after the user has chosen a script: reads the script, its message file and scripts.lst
// into the workspace's line buffers and byte stream.

#include "file_bytes.h"
#include "workspace.h"

#include <functional>
#include <string>

namespace dialoscope {

// F from P: the file name that follows the last folder separator.
std::string FileNamePart(const std::string& path);
// Replaces everything from the last "." of the file-name part, or appends ext when it has none.
std::string ChangeFileExt(const std::string& path, const std::string& ext);

// Load of the script at path, from the caption on. Reads scripts.lst from ws.ScriptsLstPath.
// Throws EFOpenError for the first file that cannot be opened; the steps before it stay done.
void mnLoadClick(TWorkspace& ws, const std::string& path);
// The same Load, running betweenScriptReads after the script's lines are read and before its
// bytes are: the moment another program may remove or replace the file.
void mnLoadClick(TWorkspace& ws, const std::string& path,
                 const std::function<void()>& betweenScriptReads);

// The stages of Load, in the order mnLoadClick runs them, for a driver that does more meanwhile
// (src/pipeline). ResetForScript sets the caption and empties the panes and counters;
// ReadScriptFiles reads scripts.lst, the message file and the script's lines (throwing as
// mnLoadClick does); TakeScriptBytes makes the script's second read the stream Analyze scans.
void ResetForScript(TWorkspace& ws, const std::string& path);
void ReadScriptFiles(TWorkspace& ws, const std::string& path);
void TakeScriptBytes(TWorkspace& ws, TReread reread);

} // namespace dialoscope
