#include "project_index.h"

#include "places.h"
#include "regular_file.h"

#include "project/project.h"

namespace dialoscope::lsp {

namespace {

// The saved files only: the index does not see what the editor holds unsaved.
class TDiskFiles : public TFileSource {
public:
    explicit TDiskFiles(const TTextCodePage& codePage) : CodePage_(codePage) {}
    std::optional<TEncodedText> Read(const std::string& path) const override {
        std::optional<std::string> bytes = ReadRegularFile(path);
        if (!bytes) {
            return std::nullopt;
        }
        return TEncodedText::Decode(std::move(*bytes), CodePage_);
    }

private:
    const TTextCodePage& CodePage_;
};

} // namespace

void AddToIndex(TProjectIndex& index, const TScriptAnalysis& analysis,
                const TTextCodePage& codePage) {
    const std::string& path = analysis.Input.ScriptPath;
    for (const TNodeKeep& node : analysis.Ws->Nodes) {
        if (node.Line > 0) {
            index.Nodes.push_back({codePage.ToUtf8(node.Name), path,
                                   WordRange(analysis.Script, node.Line, node.Name)});
        }
    }
    for (const TMsgPlace& place : AllMessagePlaces(analysis)) {
        if (place.Use.Value.Kind == TMsgRefKind::OtherScript) {
            index.OtherScriptRefs.push_back(
                {place.Use.Value.Script, place.Use.Value.Number, path, place.Range});
        }
    }
}

std::shared_ptr<TProjectIndex> IndexProject(const std::string& listPath,
                                            const TTextCodePage& codePage,
                                            const std::function<bool()>& stop) {
    auto index = std::make_shared<TProjectIndex>();
    index->ListPath = listPath;
    TProject project;
    try {
        project = OpenProject(listPath);
    } catch (const std::exception&) {
        return index;
    }
    const TDiskFiles files(codePage);
    for (const TProjectScript& script : project.Scripts) {
        if (stop()) {
            return nullptr;
        }
        if (script.State != TScriptFileState::Found) {
            continue;
        }
        std::optional<TEncodedText> text = files.Read(script.ScriptPath);
        if (!text) {
            continue;
        }
        TAnalysisInput input{script.ScriptPath, listPath, std::nullopt, false};
        AddToIndex(*index, *AnalyseScript(input, std::move(*text), files), codePage);
    }
    return index;
}

} // namespace dialoscope::lsp
