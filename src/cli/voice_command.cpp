#include "voice_command.h"

#include "error_lines.h"
#include "exchange_commands.h"

#include "analysis/errors.h"
#include "checks/run_checks.h"
#include "dialogtree/output_is_input.h"
#include "exchange/voice_files.h"

#include <iostream>

namespace dialoscope {

namespace {

std::vector<std::string> SpeakerList(const std::string& text) {
    std::vector<std::string> speakers;
    std::size_t at = 0;
    for (;;) {
        const std::size_t comma = text.find(',', at);
        speakers.push_back(text.substr(at, comma == std::string::npos ? comma : comma - at));
        if (comma == std::string::npos) {
            return speakers;
        }
        at = comma + 1;
    }
}

TVoiceOptions VoiceOptionsOf(const TCliCall& call) {
    TVoiceOptions options;
    if (call.Speakers) {
        options.Speakers = SpeakerList(*call.Speakers);
    }
    if (call.Audio) {
        options.AudioPattern = *call.Audio;
    }
    return options;
}

void SayWritten(const TVoiceScript& voice, const std::string& path) {
    std::int64_t words = 0;
    for (const TVoiceLine& line : voice.Lines) {
        words += line.Words;
    }
    std::cerr << "wrote " << voice.Lines.size() << " lines of " << voice.Speakers.size()
              << (voice.Speakers.size() == 1 ? " speaker" : " speakers") << ", " << words
              << " words, to " << path << "\n";
}

} // namespace

void CheckVoiceUse(const TCliCall& call) {
    if (!call.To) {
        throw EUsageError("'voice' needs --to FILE.xlsx, FILE.csv or FILE.fountain");
    }
    if (call.Speakers) {
        for (const std::string& speaker : SpeakerList(*call.Speakers)) {
            if (speaker.empty()) {
                throw EUsageError("--speakers '" + *call.Speakers +
                                  "' names an empty speaker; separate the names by single commas");
            }
        }
    }
}

int RunVoiceCommand(const TCliCall& call) {
    try {
        const TVoiceFormat format = VoiceFormatOf(*call.To);
        TExportRequest request;
        request.Scripts = ScriptsToExport(call);
        request.ScriptsLst = ScriptsLstOf(call);
        request.ShowMessage = [](std::string_view text) { std::cerr << text << "\n"; };
        if (request.Scripts.empty()) {
            throw EDialoscopeError("No script to record");
        }
        RefuseOutputAmongInputs(*call.To, ExportInputs(request));
        const TTextCodePage codePage =
            ExportCodePage(call, MessageFilePath(request.Scripts.front().Path));
        const TVoiceScript voice = CollectVoiceScript(request, codePage, VoiceOptionsOf(call));
        SayUndefinedBytes(voice.UndefinedBytes, codePage.Name());
        WriteVoiceScript(*call.To, format, voice);
        SayWritten(voice, *call.To);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << ErrorLines(error, "writing the voice script");
        return 1;
    }
}

} // namespace dialoscope
