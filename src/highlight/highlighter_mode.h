#pragma once
// THighLighter: which language the output pane colours. Only hlPascal (the pane's own mode)
// and hlNone have rules of their own here. hlIni colours with the Pascal tokenizer but keeps no
// comment states across lines. The other seven modes have no rules of their own yet and paint
// like hlNone, so a line is never coloured by another language's rules.

#include <cstdint>

namespace dialoscope {

enum class THighLighter : std::uint8_t {
    hlNone,
    hlPascal,
    hlCBuilder,
    hlSql,
    hlPython,
    hlJava,
    hlVB,
    hlHtml,
    hlPerl,
    hlIni,
};

} // namespace dialoscope
