#include "detail/shared_message_numbers.h"

#include "analysis/errors.h"
#include "analysis/line_store.h"
#include "analysis/message_file.h"
#include "checks/other_script_messages.h"

#include <algorithm>

namespace dialoscope {

TSharedMessageNumbers::TSharedMessageNumbers(const TProject& project) : Folder_(project.Folder) {
    TLineStore lines;
    try {
        lines.LoadFromFile(project.ListPath);
    } catch (const EDialoscopeError&) {
        return; // each script's Load reports the list
    }
    std::int32_t unused = 0;
    LoadScriptList(List_, lines, {}, unused);
}

const TSharedMessageNumbers::TNumbers& TSharedMessageNumbers::NumbersOf(std::int32_t scriptNumber) {
    const std::lock_guard<std::mutex> lock(Mutex_);
    auto& slot = Read_[scriptNumber];
    if (!slot) {
        // The same rules as one check run's own reads: found beside the scripts, in any case.
        TOtherScriptMessages reader(List_, Folder_);
        const TOtherScript& other = reader.Script(scriptNumber);
        auto numbers = std::make_unique<TNumbers>();
        numbers->State = other.State;
        numbers->MsgFileName = other.MsgFileName;
        for (const auto& [number, index] : other.Messages.LastByNumber) {
            numbers->Sorted.push_back(number);
        }
        std::sort(numbers->Sorted.begin(), numbers->Sorted.end());
        slot = std::move(numbers);
    }
    return *slot;
}

TOtherScriptAnswer TSharedMessageNumbers::Ask(std::int32_t scriptNumber,
                                              std::int32_t messageNumber) {
    const TNumbers& numbers = NumbersOf(scriptNumber);
    return {numbers.State, numbers.MsgFileName,
            std::binary_search(numbers.Sorted.begin(), numbers.Sorted.end(), messageNumber)};
}

} // namespace dialoscope
