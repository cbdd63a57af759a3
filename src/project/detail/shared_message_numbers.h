#pragma once
// TSharedMessageNumbers: the message numbers of the scripts of a project's list, for the checks
// of references "5:123" into other scripts. Each message file is read once per project run, by
// whichever worker asks first, and only its numbers are kept (four bytes a message), so neither
// the time nor the memory of a run grows with the square of its scripts. Safe to ask from many
// threads at once.

#include "project/project.h"

#include "analysis/tables.h"
#include "checks/other_script_numbers.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace dialoscope {

class TSharedMessageNumbers : public TOtherScriptNumbers {
public:
    // Reads the project's scripts.lst as Analyze reads it; an unreadable list lists nothing.
    explicit TSharedMessageNumbers(const TProject& project);

    TOtherScriptAnswer Ask(std::int32_t scriptNumber, std::int32_t messageNumber) override;

private:
    struct TNumbers {
        TOtherScriptState State = TOtherScriptState::NotListed;
        std::string MsgFileName;
        std::vector<std::int32_t> Sorted;
    };
    const TNumbers& NumbersOf(std::int32_t scriptNumber);

    TIntKeepArray List_;
    std::string Folder_;
    std::mutex Mutex_;
    std::map<std::int32_t, std::unique_ptr<const TNumbers>> Read_; // entries never move
};

} // namespace dialoscope
