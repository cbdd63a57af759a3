#include "highlight/colors.h"

#include <array>

namespace dialoscope {

namespace {

constexpr std::array<TSymbolColor TColors::*, kSchemeEntryCount> kEntryMembers = {
    &TColors::Comment,     &TColors::Number,    &TColors::Strings,   &TColors::Symbol,
    &TColors::Reserved,    &TColors::Identifer, &TColors::Preproc,   &TColors::FunctionCall,
    &TColors::Declaration, &TColors::Statement, &TColors::PlainText,
};

constexpr TSymbolColor Painted(TFontStyles style, TColor foreColor) {
    return TSymbolColor{style, foreColor, TColor::WindowBackground()};
}

TSymbolColor TColors::*MemberFor(TColorEntry entry) {
    const auto index = static_cast<std::size_t>(entry);
    return index < kEntryMembers.size() ? kEntryMembers[index] : &TColors::PlainText;
}

} // namespace

TColors::TColors()
    : Comment(Painted(TFontStyle::Italic, clOlive)), Number(Painted({}, clNavy)),
      Strings(Painted({}, clPurple)), Symbol(Painted({}, clBlue)),
      Reserved(Painted(TFontStyle::Bold, TColor::WindowText())),
      Identifer(Painted({}, TColor::WindowText())), Preproc(Painted({}, clGreen)),
      FunctionCall(Painted({}, TColor::WindowText())),
      Declaration(Painted({}, TColor::WindowText())),
      Statement(Painted(TFontStyle::Bold, TColor::WindowText())),
      PlainText(Painted({}, TColor::WindowText())) {}

TSymbolColor TColors::Resolve(TColorEntry entry) const {
    if (entry == TColorEntry::EditorDefault) {
        return TSymbolColor{{}, TColor::EditorFont(), TColor::EditorBackground()};
    }
    return (*this)[entry];
}

TSymbolColor& TColors::operator[](TColorEntry entry) {
    return this->*MemberFor(entry);
}

const TSymbolColor& TColors::operator[](TColorEntry entry) const {
    return this->*MemberFor(entry);
}

} // namespace dialoscope
