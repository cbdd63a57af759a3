#pragma once
// TOtherScriptMessages: the message files of the other scripts that "5:123" references name,
// found through scripts.lst (line 5 names "other.int", whose messages are "other.msg" in the
// loaded script's folder), read on first use and kept for the rest of one check run.

#include "message_entries.h"
#include "other_script_numbers.h"

#include "analysis/line_store.h"
#include "analysis/tables.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace dialoscope {

struct TOtherScript {
    TOtherScriptState State = TOtherScriptState::NotListed;
    // The file's name as found on disk, or as looked for (NoFile); empty when NotListed.
    std::string MsgFileName;
    TLineStore Lines;
    TMessageEntries Messages; // views into Lines
};

class TOtherScriptMessages : public TOtherScriptNumbers {
public:
    // The list must outlive this object. scriptFolder: the loaded script's folder ("" or "." for
    // the current one).
    TOtherScriptMessages(const TIntKeepArray& scriptList, std::string scriptFolder);

    // The script on line scriptNumber of scripts.lst; the reference stays valid while this
    // object lives.
    const TOtherScript& Script(std::int32_t scriptNumber);

    TOtherScriptAnswer Ask(std::int32_t scriptNumber, std::int32_t messageNumber) override;

private:
    std::unique_ptr<TOtherScript> Load(std::int32_t scriptNumber) const;
    std::string FindBeside(const std::string& fileName) const;

    const TIntKeepArray& List_;
    std::string Folder_;
    std::map<std::int32_t, std::unique_ptr<TOtherScript>> Cache_;
};

// The folder part of a path: "a/b/talk.ipp" gives "a/b", "talk.ipp" gives ".".
std::string FolderOf(const std::string& path);

} // namespace dialoscope
