#include "exchange/detail/xlsx_sheet.h"

#include "command_output.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dialoscope {
namespace {

// The sheet's rows as the zip holds them, one line per row with cells joined by "|" (a number
// cell as "#" and its value; an empty cell is left out), read by Python's zipfile and XML
// parser: an independent reader of the file.
std::string SheetRows(const std::string& path) {
    const std::string script =
        "import sys,zipfile,xml.etree.ElementTree as E\n"
        "z=zipfile.ZipFile(sys.argv[1]);n='{http://schemas.openxmlformats.org/spreadsheetml/"
        "2006/main}'\n"
        "s=[''.join(t.itertext()) for t in "
        "E.fromstring(z.read('xl/sharedStrings.xml')).iter(n+'si')]\n"
        "w=E.fromstring(z.read('xl/worksheets/sheet1.xml'))\n"
        "assert w.find(n+'autoFilter') is not None and w.find('.//'+n+'pane') is not None\n"
        "def v(c):\n"
        "  t=c.find(n+'v').text\n"
        "  return s[int(t)] if c.get('t')=='s' else '#'+t\n"
        "for r in w.iter(n+'row'): print('|'.join(v(c) for c in r))\n";
    return test::CommandOutput("python3 - '" + path + "' <<'EOF'\n" + script + "EOF\n");
}

TEST(XlsxSheet, HoldsTheHeaderAndEveryRow) {
    const auto path = (std::filesystem::temp_directory_path() / "dialoscope-test.xlsx").string();
    // Was: numbers were stored as text, which a spreadsheet sorts as "100" < "99".
    WriteXlsxSheet(path, "Strings",
                   {{"script", 10, false}, {"line", 8, false, true}, {"original", 60, true}},
                   {{"guard", "99", "Halt! \"Who\" goes <there>?"},
                    {"guard", "", "\xC3\xA4 & \xD0\x9F"}});
    EXPECT_EQ(SheetRows(path), "script|line|original\n"
                               "guard|#99|Halt! \"Who\" goes <there>?\n"
                               "guard|\xC3\xA4 & \xD0\x9F\n");
    std::filesystem::remove(path);
}

} // namespace
} // namespace dialoscope
