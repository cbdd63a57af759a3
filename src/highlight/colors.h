#pragma once
// TColors: the output pane's colour scheme, one TSymbolColor per class of text.
// TColorEntry names an entry; colouring produces entries, not colours, so the scheme can change
// (or the desktop palette behind its named colours) without colouring again.

#include "highlight/symbol_color.h"

#include <cstdint>

namespace dialoscope {

// The first eleven are the scheme's entries, in the scheme's order. EditorDefault is no entry of
// the scheme: it stands for the positions past a line's end, painted in the editor's own font
// colour and style on the editor's background.
enum class TColorEntry : std::uint8_t {
    Comment,
    Number,
    Strings,
    Symbol,
    Reserved,
    Identifer,
    Preproc,
    FunctionCall,
    Declaration,
    Statement,
    PlainText,
    EditorDefault,
};

inline constexpr int kSchemeEntryCount = 11;

// Constructed with the scheme the output pane shows: comments italic olive, numbers navy,
// strings purple, symbols blue, reserved words bold, all else window text, every entry on the
// window background.
struct TColors {
    TSymbolColor Comment;
    TSymbolColor Number;
    TSymbolColor Strings;
    TSymbolColor Symbol;
    TSymbolColor Reserved;
    TSymbolColor Identifer;
    TSymbolColor Preproc;
    TSymbolColor FunctionCall;
    TSymbolColor Declaration;
    TSymbolColor Statement;
    TSymbolColor PlainText;

    TColors();

    // EditorDefault gives the editor's own font colour on the editor's background, regular face
    // (the painter keeps the editor font's own style for it).
    TSymbolColor Resolve(TColorEntry entry) const;

    // Out-of-range entries (not produced by the colouring) give PlainText.
    TSymbolColor& operator[](TColorEntry entry);
    const TSymbolColor& operator[](TColorEntry entry) const;

    friend bool operator==(const TColors&, const TColors&) = default;
};

} // namespace dialoscope
