// Import of a translators' file on arbitrary bytes, as PO, CSV or XLIFF (the first byte chooses,
// and whether missing numbers are added), into a small message file: never a crash; either the
// import is refused and the message file keeps every byte, or the new file reads back with the
// same messages in the same places, plus the added ones.

#include "analysis/errors.h"
#include "analysis/file_bytes.h"
#include "analysis/line_store.h"
#include "checks/message_entries.h"
#include "exchange/import_translation.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace dialoscope;

// Filled middle fields and blanks between the fields, as real files have them.
constexpr std::string_view Target =
    "# talk\r\n{100}{v100}{Hi.}\r\n  {101} {} {Bye.}  \r\n\r\n{102}{}{}\r\n";

const std::string& Folder() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() /
                          ("dialoscope-fuzz-import-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::int32_t> NumbersOf(const std::string& path) {
    TLineStore lines;
    lines.LoadFromFile(path);
    const TMessageEntries entries = ReadMessageEntries(lines);
    if (!entries.BadLines.empty()) {
        std::abort();
    }
    std::vector<std::int32_t> numbers;
    for (const TMessageEntry& entry : entries.Entries) {
        numbers.push_back(entry.Number);
    }
    return numbers;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const TTextCodePage codePage("windows-1252");
    const bool csv = (data[0] & 1) != 0;
    const bool xliff = !csv && (data[0] & 4) != 0;
    const std::string translation =
        Folder() + (csv ? "/talk.csv" : xliff ? "/talk.xlf" : "/talk.po");
    const std::string target = Folder() + "/talk.msg";
    WriteFile(translation, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    WriteFile(target, Target);
    TImportOptions options{translation, target, std::nullopt,
                           (data[0] & 2) != 0 ? TAddMissing::Yes : TAddMissing::No, false};
    TImportSummary summary;
    try {
        summary = ImportTranslation(options, codePage);
    } catch (const EDialoscopeError&) {
        summary.Written = false;
    }
    if (!summary.Written) {
        if (ReadFileBytes(target) != Target) {
            std::abort(); // a refused import changed the file
        }
        return 0;
    }
    const std::vector<std::int32_t> numbers = NumbersOf(target);
    const std::vector<std::int32_t> kept = {100, 101, 102};
    if (numbers.size() != kept.size() + static_cast<std::size_t>(summary.Added) ||
        !std::equal(kept.begin(), kept.end(), numbers.begin())) {
        std::abort(); // messages lost, moved or broken
    }
    return 0;
}
