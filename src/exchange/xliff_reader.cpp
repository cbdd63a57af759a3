#include "detail/exchange_error.h"
#include "detail/xliff_file.h"

#include "analysis/file_bytes.h"
#include "analysis/int_conversion.h"

#include <expat.h>

#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>

namespace dialoscope {

namespace {

constexpr std::string_view XliffNamespace = "urn:oasis:names:tc:xliff:document:1.2";
// translate-toolkit's po2xliff still writes 1.1, whose units read the same.
constexpr std::string_view Xliff11Namespace = "urn:oasis:names:tc:xliff:document:1.1";
// Expat joins a name's namespace and local name with this character.
constexpr char NameSeparator = '|';

struct TName {
    std::string_view Namespace;
    std::string_view Local;
};

TName NameOf(const XML_Char* name) {
    const std::string_view whole(name);
    const std::size_t cut = whole.find(NameSeparator);
    if (cut == std::string_view::npos) {
        return {{}, whole};
    }
    return {whole.substr(0, cut), whole.substr(cut + 1)};
}

std::optional<std::string> AttributeOf(const XML_Char** attributes, std::string_view name) {
    for (std::size_t i = 0; attributes[i] != nullptr; i += 2) {
        if (NameOf(attributes[i]).Local == name) {
            return std::string(attributes[i + 1]);
        }
    }
    return std::nullopt;
}

// "SCRIPT:NUMBER": the script's name and a message number.
std::optional<std::pair<std::string, std::int32_t>> MessageKey(std::string_view text) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) {
        return std::nullopt;
    }
    const auto number = TryStrToInt(text.substr(colon + 1));
    if (!number) {
        return std::nullopt;
    }
    return std::pair{std::string(text.substr(0, colon)), *number};
}

struct TUnit {
    std::string Id;
    std::optional<std::string> ResName;
    std::optional<std::string> Approved;
    std::string State;
    std::string Target;
    std::string ReferenceFile; // po2xliff's po-reference context group
    std::string ReferenceLine;
    std::int32_t Line = 0;
    bool Header = false; // po2xliff's unit for the PO header, no message
};

class TXliffReader {
public:
    explicit TXliffReader(const std::string& path) : Path_(path) {}

    std::vector<TTranslatedText> Read(std::string_view bytes) {
        // Expat takes an int length; no translators' file comes near it.
        if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
            throw EExchangeError(Path_, 0, "the file is too large to read as XLIFF");
        }
        std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
            XML_ParserCreateNS(nullptr, NameSeparator), &XML_ParserFree);
        Parser_ = parser.get();
        XML_SetUserData(Parser_, this);
        XML_SetElementHandler(Parser_, OnStart, OnEnd);
        XML_SetCharacterDataHandler(Parser_, OnText);
        // Entities declared in a DOCTYPE could make a small file expand without bound.
        XML_SetStartDoctypeDeclHandler(Parser_, OnDoctype);
        const bool parsed = XML_Parse(Parser_, bytes.data(), static_cast<int>(bytes.size()),
                                      XML_TRUE) == XML_STATUS_OK;
        if (Error_) {
            throw EExchangeError(*Error_);
        }
        if (!parsed) {
            throw EExchangeError(Path_, LineNow(),
                                 std::string("not well-formed XML: ") +
                                     XML_ErrorString(XML_GetErrorCode(Parser_)));
        }
        if (!SawRoot_) {
            Fail("the file holds no XLIFF");
        }
        return std::move(Texts_);
    }

private:
    static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<TXliffReader*>(self)->Start(NameOf(name), attributes);
    }
    static void OnEnd(void* self, const XML_Char* name) {
        static_cast<TXliffReader*>(self)->End(NameOf(name).Local);
    }
    static void OnText(void* self, const XML_Char* text, int length) {
        static_cast<TXliffReader*>(self)->Text(
            std::string_view(text, static_cast<std::size_t>(length)));
    }
    static void OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        static_cast<TXliffReader*>(self)->Fail("an XLIFF file has no DOCTYPE");
    }

    std::int32_t LineNow() const {
        return static_cast<std::int32_t>(XML_GetCurrentLineNumber(Parser_));
    }

    // Expat is C: the error is kept and the parser stopped, then thrown by Read.
    void Fail(const std::string& text) {
        if (!Error_) {
            Error_ = Path_ + ":" + std::to_string(LineNow()) + ": " + text;
        }
        XML_StopParser(Parser_, XML_FALSE);
    }

    std::string_view Parent() const {
        return Open_.empty() ? std::string_view() : std::string_view(Open_.back());
    }

    void Start(TName name, const XML_Char** attributes) {
        if (Open_.empty()) {
            StartRoot(name, attributes);
        } else if (InTarget_) {
            Fail("the target of unit \"" + Unit_->Id + "\" holds the inline element <" +
                 std::string(name.Local) + ">, which a message line cannot hold");
        } else if (name.Local == "file") {
            FileIds_.clear();
        } else if (name.Local == "trans-unit") {
            StartUnit(attributes);
        } else if (Unit_ && name.Local == "target" && Parent() == "trans-unit") {
            InTarget_ = true;
            Unit_->State = AttributeOf(attributes, "state").value_or("");
        } else if (Unit_ && name.Local == "context") {
            Context_ = AttributeOf(attributes, "context-type").value_or("");
            ContextText_.clear();
        }
        Open_.emplace_back(name.Local);
    }

    void StartRoot(TName name, const XML_Char** attributes) {
        SawRoot_ = true;
        const std::string version = AttributeOf(attributes, "version").value_or("");
        const bool known = (name.Namespace == XliffNamespace && version == "1.2") ||
                           (name.Namespace == Xliff11Namespace && version == "1.1");
        if (name.Local != "xliff" || !known) {
            Fail("not an XLIFF 1.2 file (<xliff version=\"1.2\" xmlns=\"" +
                 std::string(XliffNamespace) + "\">)");
        }
    }

    void StartUnit(const XML_Char** attributes) {
        Unit_.emplace();
        Unit_->Line = LineNow();
        const std::optional<std::string> id = AttributeOf(attributes, "id");
        if (!id) {
            Fail("a <trans-unit> without an id");
            return;
        }
        Unit_->Id = *id;
        Unit_->ResName = AttributeOf(attributes, "resname");
        Unit_->Approved = AttributeOf(attributes, "approved");
        Unit_->Header = AttributeOf(attributes, "restype") == "x-gettext-domain-header";
        const auto [first, inserted] = FileIds_.emplace(*id, Unit_->Line);
        if (!inserted) {
            Fail("the unit \"" + *id + "\" is there twice, at lines " +
                 std::to_string(first->second) + " and " + std::to_string(Unit_->Line));
        }
    }

    void Text(std::string_view text) {
        if (InTarget_) {
            Unit_->Target += text;
        } else if (!Context_.empty()) {
            ContextText_ += text;
        }
    }

    void End(std::string_view local) {
        Open_.pop_back();
        if (InTarget_ && local == "target" && Parent() == "trans-unit") {
            InTarget_ = false;
        } else if (Unit_ && local == "context") {
            KeepContext();
        } else if (Unit_ && local == "trans-unit") {
            EndUnit();
        }
    }

    void KeepContext() {
        if (Context_ == "sourcefile") {
            Unit_->ReferenceFile = ContextText_;
        } else if (Context_ == "linenumber") {
            Unit_->ReferenceLine = ContextText_;
        }
        Context_.clear();
    }

    // The number from the resname, else from po2xliff's reference, else from the id.
    std::optional<std::pair<std::string, std::int32_t>> KeyOf(const TUnit& unit) const {
        if (unit.ResName) {
            if (auto key = MessageKey(*unit.ResName)) {
                return key;
            }
        }
        if (!unit.ReferenceFile.empty() && !unit.ReferenceLine.empty()) {
            if (auto key = MessageKey(unit.ReferenceFile + ":" + unit.ReferenceLine)) {
                return key;
            }
        }
        return MessageKey(unit.Id);
    }

    void EndUnit() {
        const TUnit unit = std::move(*Unit_);
        Unit_.reset();
        if (unit.Header) {
            return;
        }
        const auto key = KeyOf(unit);
        if (!key) {
            Fail("the unit \"" + unit.Id + "\" names no SCRIPT:NUMBER (in its resname or id)");
            return;
        }
        const bool waitsForReview = unit.State.starts_with("needs-review") ||
                                    (unit.Approved == "no" && !unit.Target.empty());
        Texts_.push_back({key->first, key->second, unit.Target, waitsForReview, unit.Line});
    }

    std::string Path_;
    XML_Parser Parser_ = nullptr;
    std::optional<std::string> Error_;
    bool SawRoot_ = false;
    std::vector<std::string> Open_;                         // the local names of the open elements
    std::unordered_map<std::string, std::int32_t> FileIds_; // the <file>'s ids and their lines
    std::optional<TUnit> Unit_;
    bool InTarget_ = false;
    std::string Context_; // the context-type of an open <context>
    std::string ContextText_;
    std::vector<TTranslatedText> Texts_;
};

} // namespace

std::vector<TTranslatedText> ReadXliffFile(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return TXliffReader(path).Read(bytes);
}

} // namespace dialoscope
