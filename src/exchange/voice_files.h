#pragma once
// Writing the voice-over script as a studio reads it, chosen by the file's extension: an XLSX
// workbook with a sheet per speaker and a budget sheet, one CSV table with a speaker column, or
// a Fountain screenplay with a part per speaker. Every file is written whole or not at all.

#include "voice_script.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialoscope {

enum class TVoiceFormat : std::uint8_t { Xlsx, Csv, Fountain };

// By the extension of path, any letter case: .xlsx, .csv, .fountain. Throws EExchangeError.
TVoiceFormat VoiceFormatOf(const std::string& path);

// Lines, words and characters of one speaker in one script; Script "total" for a speaker's
// sum over the scripts, and Speaker "all" for the sum of every speaker.
struct TVoiceBudgetRow {
    std::string Script;
    std::string Speaker;
    std::int64_t Lines = 0;
    std::int64_t Words = 0;
    std::int64_t Characters = 0;
};

// The lines of voice, speaker after speaker in voice's order, each speaker's in dialog order.
std::vector<const TVoiceLine*> LinesBySpeaker(const TVoiceScript& voice);

// Throws EExchangeError, EFCreateError or EWriteError; nothing is written then.
void WriteVoiceScript(const std::string& path, TVoiceFormat format, const TVoiceScript& voice);

// The screenplay alone (see voice_fountain.cpp), for the writer and the tests. title names it.
std::string FountainScreenplay(const TVoiceScript& voice, const std::string& title);

} // namespace dialoscope
