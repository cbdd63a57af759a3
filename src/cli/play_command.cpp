#include "play_command.h"

#include "cli_port.h"
#include "error_lines.h"
#include "standard_output.h"

#include "analysis/errors.h"
#include "analysis/load.h"
#include "checks/run_checks.h"
#include "dialogtree/output_is_input.h"
#include "dialogtree/savers.h"
#include "pipeline/quiet_session.h"
#include "play/play_script.h"
#include "play/quicktest_output.h"
#include "play/transcript.h"
#include "play/walk_record.h"
#include "play/way_to_node.h"
#include "project/code_page_choice.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace dialoscope {

namespace {

// A walk that cannot go on: the transcript so far is written, then this text.
class EPlayStop : public EDialoscopeError {
public:
    using EDialoscopeError::EDialoscopeError;
};

std::string Quoted(std::string_view name) {
    std::string text("'");
    text += name;
    return text + "'";
}

std::string ReadWholeFile(const std::string& path) {
    if (IsFolder(path)) {
        throw EPlayStop(path + ": a folder, not a saved walk");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open() || !in) {
        throw EFOpenError(path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t NamedNode(const TPlayScript& script, const std::string& name) {
    const std::int32_t node = script.FindNode(name);
    if (node < 0) {
        throw EDialoscopeError("the script has no node named " + Quoted(name));
    }
    return node;
}

std::int32_t FirstDialogStart(const TPlayScript& script) {
    for (const TPlayStart& start : script.Starts()) {
        if (start.Node >= 0) {
            return start.Node;
        }
    }
    throw EDialoscopeError(script.Starts().empty()
                               ? "the script has no dialog start; name a node with --start NODE"
                               : "no dialog start names a node; name one with --start NODE");
}

std::string ChoicesOffered(const TPlayScript& script, std::int32_t node) {
    const std::int32_t count = script.ChoiceCount(node);
    const std::string name = Quoted(script.NodeName(node));
    if (count == 0) {
        return name + " offers no choice";
    }
    return "the choices at " + name + " are 1 to " + std::to_string(count);
}

class TPlayRun {
public:
    TPlayRun(const TCliCall& call, const TPlayScript& script) : Call_(call), Script_(script) {}

    // The walk the call asks for; the transcript's first lines in Heading.
    void Walk() {
        if (Call_.Replay) {
            Replay(*Call_.Replay);
        } else if (Call_.ToNode) {
            WalkTo(*Call_.ToNode);
        } else {
            Walk_ = TPlayWalk(Call_.Start ? NamedNode(Script_, *Call_.Start)
                                          : FirstDialogStart(Script_));
        }
        // The command line checked the list before anything was loaded.
        const std::vector<std::int32_t> choices =
            Call_.Choose.empty() ? std::vector<std::int32_t>() : *ParseChoices(Call_.Choose);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            Choose(choices[i], i + 1);
        }
    }

    std::string Transcript() const {
        return Heading_ + TranscriptText(Script_, Walk_, {Call_.Texts});
    }
    const TPlayWalk& Result() const { return Walk_; }

private:
    void Replay(const std::string& file) {
        TReplay replay = ReplayWalk(Script_, ReadWholeFile(file), file);
        Walk_ = std::move(replay.Walk);
        if (replay.Stop) {
            throw EPlayStop(*replay.Stop);
        }
    }

    void WalkTo(const std::string& name) {
        const std::int32_t node = NamedNode(Script_, name);
        const std::optional<TPlayWay> way = FindWayTo(Script_, node);
        if (!way) {
            throw EDialoscopeError(Quoted(name) + " is not reachable from any dialog start");
        }
        Walk_ = WalkAlong(Script_, *way);
        Heading_ = "The shortest way to " + name + ": " + ChoiceCount(way->Steps.size()) +
                   " from the dialog start " + Script_.NodeName(way->Start) + "\n";
    }

    void Choose(std::int32_t choice, std::size_t step) {
        const std::int32_t at = Walk_.Position();
        if (Walk_.Choose(Script_, choice - 1) == TChooseOutcome::NotOffered) {
            throw EPlayStop("--choose step " + std::to_string(step) + ": choice " +
                            std::to_string(choice) + " is not offered; " +
                            ChoicesOffered(Script_, at));
        }
    }

    const TCliCall& Call_;
    const TPlayScript& Script_;
    TPlayWalk Walk_;
    std::string Heading_;
};

// Message boxes on standard error; an Analyze that stopped says so before its error.
class TPlaySink : public TStandardErrorSink {
public:
    void Stopped(TSessionStep step, const std::exception& error) override {
        if (step == TSessionStep::Load) {
            throw;
        }
        throw EDialoscopeError(AnalyzeStoppedText(ErrorText(error)));
    }
};

int Fail(const std::exception& error) {
    FlushStandardOutput();
    std::fputs(ErrorLines(error, "playing the script").c_str(), stderr);
    return 1;
}

// Every file play reads, which --record must not write over.
std::vector<std::string> PlayInputsOf(const TCliCall& call, const TWorkspace& ws) {
    std::vector<std::string> inputs = {call.Script, ws.MsgFileName, ScriptsLstOf(call)};
    if (call.Against) {
        inputs.push_back(*OriginalMessageFile(call.Against, ws.MsgFileName));
    }
    if (call.Replay) {
        inputs.push_back(*call.Replay);
    }
    return inputs;
}

void RecordWalk(const TCliCall& call, const TWorkspace& ws, const std::string& record) {
    RefuseOutputAmongInputs(*call.Record, PlayInputsOf(call, ws));
    const std::uint64_t otherNames = OtherNamesOf(*call.Record);
    ReplaceFile(*call.Record, record);
    if (otherNames > 0) {
        std::fprintf(stderr, "%s: %llu other hard link%s the old walk\n", call.Record->c_str(),
                     static_cast<unsigned long long>(otherNames),
                     otherNames == 1 ? " still names" : "s still name");
    }
}

int Play(const TCliCall& call, const TWorkspace& ws) {
    TLineStore original;
    if (call.Against) {
        original.LoadFromFile(*OriginalMessageFile(call.Against, ws.MsgFileName));
    }
    TCodePageChoice codePages(call.CodePage);
    const TPlayScript script(
        ws,
        {call.Script, [&](std::string_view bytes) { return codePages.For(bytes).ToUtf8(bytes); },
         call.Against ? &original : nullptr});
    TPlayRun run(call, script);
    try {
        run.Walk();
    } catch (const EPlayStop& stop) {
        WriteStandardOutput(run.Transcript());
        return Fail(stop);
    }
    WriteStandardOutput(run.Transcript());
    if (call.Record) {
        RecordWalk(call, ws, WalkRecordText(script, run.Result()));
    }
    return 0;
}

} // namespace

std::optional<std::vector<std::int32_t>> ParseChoices(std::string_view text) {
    std::vector<std::int32_t> choices;
    for (;;) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        std::int32_t choice = 0;
        const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), choice);
        if (item.empty() || error != std::errc() || end != item.data() + item.size() ||
            choice < 1) {
            return std::nullopt;
        }
        choices.push_back(choice);
        if (comma == std::string_view::npos) {
            return choices;
        }
        text.remove_prefix(comma + 1);
    }
}

int RunPlayCommand(const TCliCall& call) {
    TPlaySink sink;
    try {
        const TSharedScript script =
            OpenScript(call.Script, ScriptsLstOf(call), TablesRequest, sink);
        return Play(call, script->Workspace());
    } catch (const std::exception& error) {
        return Fail(error);
    }
}

} // namespace dialoscope
