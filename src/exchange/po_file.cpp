#include "detail/po_file.h"

#include "detail/exchange_error.h"
#include "detail/po_layout.h"
#include "detail/scratch_file.h"

#include "analysis/file_bytes.h"
#include "text/code_page.h"

#include <gettext-po.h>

#if defined(__SANITIZE_ADDRESS__)
#define DIALOSCOPE_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DIALOSCOPE_LSAN 1
#endif
#endif
#ifdef DIALOSCOPE_LSAN
#include <sanitizer/lsan_interface.h>

// gettext's library keeps a few small blocks of every file it writes or reads for as long as the
// process runs; they are its own, not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libgettextpo\n";
}
#endif

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>

namespace dialoscope {

namespace {

std::string HeaderText(const TPoHeader& header) {
    return "Project-Id-Version: " + header.Project +
           "\n"
           "PO-Revision-Date: \n"
           "Last-Translator: \n"
           "Language-Team: \n"
           "Language: " +
           header.Language +
           "\n"
           "MIME-Version: 1.0\n"
           "Content-Type: text/plain; charset=UTF-8\n"
           "Content-Transfer-Encoding: 8bit\n";
}

// The library reports through callbacks and expects a fatal report never to return; the first
// report is kept, and a fatal one jumps back to the call that started the work. Only C frames
// lie between, so nothing is skipped that needs a destructor.
struct TPoErrors {
    std::jmp_buf Back;
    bool HasError = false;
    char Text[512] = {};
    const char* FileName = nullptr; // names the file in reports instead of the library's name
};

thread_local TPoErrors* CurrentErrors = nullptr;

void Remember(int severity, const char* filename, std::size_t line, const char* text) {
    TPoErrors& errors = *CurrentErrors;
    if (severity != PO_SEVERITY_WARNING && !errors.HasError) {
        errors.HasError = true;
        if (filename != nullptr && line != static_cast<std::size_t>(-1)) {
            std::snprintf(errors.Text, sizeof errors.Text, "%s:%zu: %s",
                          errors.FileName != nullptr ? errors.FileName : filename, line, text);
        } else {
            std::snprintf(errors.Text, sizeof errors.Text, "%s", text);
        }
        // The library's texts end with a line break of their own.
        const std::size_t length = std::strlen(errors.Text);
        if (length > 0 && errors.Text[length - 1] == '\n') {
            errors.Text[length - 1] = '\0';
        }
    }
    if (severity == PO_SEVERITY_FATAL_ERROR) {
        std::longjmp(errors.Back, 1);
    }
}

void OnError(int severity, po_message_t, const char* filename, std::size_t line, std::size_t, int,
             const char* text) {
    Remember(severity, filename, line, text);
}

void OnError2(int severity, po_message_t, const char* filename, std::size_t line, std::size_t, int,
              const char* text, po_message_t, const char*, std::size_t, std::size_t, int,
              const char*) {
    Remember(severity, filename, line, text);
}

const po_xerror_handler Handler = {OnError, OnError2};

// Runs a library call with CurrentErrors set; false when it reported an error.
template <typename TCall> bool RunGuarded(TPoErrors& errors, TCall call) {
    CurrentErrors = &errors;
    if (setjmp(errors.Back) == 0) {
        call();
    }
    CurrentErrors = nullptr;
    return !errors.HasError;
}

po_message_t MakeMessage(const TPoEntry& entry) {
    po_message_t message = po_message_create();
    po_message_set_msgctxt(message, entry.Context.c_str());
    po_message_set_msgid(message, entry.Id.c_str());
    po_message_set_msgstr(message, entry.Str.c_str());
    if (!entry.ExtractedComments.empty()) {
        po_message_set_extracted_comments(message, entry.ExtractedComments.c_str());
    }
    for (const auto& [file, line] : entry.References) {
        po_message_add_filepos(message, file.c_str(), static_cast<std::size_t>(line));
    }
    po_message_set_fuzzy(message, entry.Fuzzy ? 1 : 0);
    if (entry.PreviousId) {
        po_message_set_prev_msgid(message, entry.PreviousId->c_str());
    }
    return message;
}

po_file_t BuildFile(const std::vector<TPoEntry>& entries, const TPoHeader& header) {
    po_file_t file = po_file_create();
    po_message_iterator_t at = po_message_iterator(file, nullptr);
    po_message_t headerEntry = po_message_create();
    po_message_set_msgid(headerEntry, "");
    po_message_set_msgstr(headerEntry, HeaderText(header).c_str());
    po_message_insert(at, headerEntry);
    for (const TPoEntry& entry : entries) {
        po_message_insert(at, MakeMessage(entry));
    }
    po_message_iterator_free(at);
    return file;
}

std::string TextOr(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

TPoEntry EntryOf(po_message_t message) {
    TPoEntry entry;
    entry.Context = TextOr(po_message_msgctxt(message));
    entry.Id = TextOr(po_message_msgid(message));
    entry.Str = TextOr(po_message_msgstr(message));
    entry.ExtractedComments = TextOr(po_message_extracted_comments(message));
    entry.Fuzzy = po_message_is_fuzzy(message) != 0;
    if (const char* previous = po_message_prev_msgid(message)) {
        entry.PreviousId = previous;
    }
    entry.Plural = po_message_msgid_plural(message) != nullptr;
    for (int i = 0;; ++i) {
        const po_filepos_t pos = po_message_filepos(message, i);
        if (pos == nullptr) {
            break;
        }
        entry.References.emplace_back(TextOr(po_filepos_file(pos)),
                                      static_cast<std::int32_t>(po_filepos_start_line(pos)));
    }
    return entry;
}

bool IsHeader(po_message_t message) {
    return po_message_msgctxt(message) == nullptr && po_message_msgid(message)[0] == '\0';
}

// The entries with their places; the layout is used only when it saw as many entries as the
// library did, else the lines stay unknown.
std::vector<TPoEntry> EntriesOf(po_file_t file, const TPoLayout& layout) {
    std::vector<TPoEntry> entries;
    po_message_iterator_t at = po_message_iterator(file, nullptr);
    std::vector<std::size_t> places; // the layout index of each entry kept
    std::size_t seen = 0;
    while (po_message_t message = po_next_message(at)) {
        if (po_message_is_obsolete(message) != 0) {
            continue;
        }
        if (!IsHeader(message)) {
            entries.push_back(EntryOf(message));
            places.push_back(seen);
        }
        ++seen;
    }
    po_message_iterator_free(at);
    if (seen == layout.Entries.size()) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].Line = layout.Entries[places[i]].Line;
            entries[i].StrHoldsNul = layout.Entries[places[i]].StrHoldsNul;
        }
    }
    return entries;
}

// The charset the header's Content-Type names; empty when none is named.
std::string CharsetOf(po_file_t file) {
    const char* header = po_file_domain_header(file, nullptr);
    char* type = header != nullptr ? po_header_field(header, "Content-Type") : nullptr;
    if (type == nullptr) {
        return {};
    }
    const std::string value(type);
    std::free(type);
    const std::size_t at = value.find("charset=");
    if (at == std::string::npos) {
        return {};
    }
    const std::string charset = value.substr(at + 8);
    return charset.substr(0, charset.find_first_of(" ;\t\r\n"));
}

// A template's header says "CHARSET" until someone fills it in; gettext reads it as ASCII.
bool NeedsNoDecoding(const std::string& charset) {
    return charset.empty() || charset == "CHARSET";
}

std::int32_t HeaderLine(const TPoLayout& layout) {
    return layout.Entries.empty() ? 0 : layout.Entries.front().Line;
}

void DecodeEntries(std::vector<TPoEntry>& entries, const std::string& charset,
                   const std::string& path, const TPoLayout& layout) {
    if (NeedsNoDecoding(charset)) {
        return;
    }
    std::optional<TTextCodePage> codePage;
    try {
        codePage.emplace(charset);
    } catch (const ECodePageError&) {
        throw EExchangeError(path, HeaderLine(layout),
                             "the header names the charset \"" + charset +
                                 "\", which is not known here; convert the file to UTF-8 "
                                 "(msgconv --to-code=UTF-8)");
    }
    if (codePage->IsUtf8()) {
        return;
    }
    std::vector<std::size_t> undefined;
    for (TPoEntry& entry : entries) {
        entry.Context = codePage->ToUtf8(entry.Context);
        entry.Id = codePage->ToUtf8(entry.Id);
        entry.Str = codePage->ToUtf8(entry.Str, undefined);
        if (!undefined.empty()) {
            throw EExchangeError(path, entry.Line,
                                 "the translation of \"" + entry.Context + "\" is not " + charset +
                                     ", as the header says");
        }
    }
}

// gettext reports a message defined twice at its second place only; both places are named here.
void RefuseDuplicateDefinitions(const TPoLayout& layout, const std::string& path) {
    std::unordered_map<std::string_view, std::int32_t> firstLines;
    for (const TPoEntryLayout& entry : layout.Entries) {
        const auto [first, inserted] = firstLines.emplace(entry.Key, entry.Line);
        if (!inserted) {
            throw EExchangeError(path, entry.Line,
                                 "this entry defines the message of line " +
                                     std::to_string(first->second) + " again");
        }
    }
}

std::string_view WithoutUtf8Bom(std::string_view bytes) {
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    return bytes.starts_with(Bom) ? bytes.substr(Bom.size()) : bytes;
}

} // namespace

void WritePoFile(const std::string& path, const std::vector<TPoEntry>& entries,
                 const TPoHeader& header) {
    po_file_t file = BuildFile(entries, header);
    const TScratchFile scratch(path);
    TPoErrors errors;
    const char* scratchPath = scratch.Path().c_str();
    const bool written = RunGuarded(errors, [&] { po_file_write(file, scratchPath, &Handler); });
    po_file_free(file);
    if (!written) {
        throw EExchangeError(path, 0, errors.Text);
    }
    scratch.ReplaceTarget(path);
}

std::vector<TPoEntry> ReadPoFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    const std::string_view text = WithoutUtf8Bom(bytes);
    const TPoLayout layout = ScanPoLayout(text);
    if (layout.StrayNulLine != 0) {
        throw EExchangeError(path, layout.StrayNulLine,
                             "the line holds a NUL byte, which a PO file cannot carry");
    }
    RefuseDuplicateDefinitions(layout, path);
    // gettext's reader takes a file name only; the bytes it is to read (without the byte order
    // mark it does not know) are handed to it as a file in memory, so the file is read once.
    const TScratchFile memory(path);
    memory.Fill(text);
    const std::string& memoryPath = memory.Path();
#ifdef DIALOSCOPE_LSAN
    // What the library had read when it gave up on a file cannot be freed (see below); the leak
    // checker is told so, and still watches every other allocation.
    const __lsan::ScopedDisabler lostOnParseErrors;
#endif
    TPoErrors errors;
    errors.FileName = path.c_str();
    po_file_t file = nullptr;
    const bool read =
        RunGuarded(errors, [&] { file = po_file_read(memoryPath.c_str(), &Handler); });
    if (!read || file == nullptr) {
        // A file that did not parse is left to the process's end: the library gives no way
        // to free what it had read when it gave up.
        throw EExchangeError(errors.HasError ? std::string(errors.Text)
                                             : "Cannot open file " + path);
    }
    std::vector<TPoEntry> entries = EntriesOf(file, layout);
    const std::string charset = CharsetOf(file);
    po_file_free(file);
    DecodeEntries(entries, charset, path, layout);
    return entries;
}

} // namespace dialoscope
