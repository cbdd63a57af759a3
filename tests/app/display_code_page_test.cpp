// The code pages the window shows bytes in: every byte comes back unchanged from what is shown,
// whatever the code page, and what is shown is the code page's own character.

#include "display_code_page.h"

#include <QTest>

#include <string>

using namespace dialoscope;

namespace {

std::string AllBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

QString Hex(const std::string& bytes) {
    return QString::fromLatin1(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toHex(' '));
}

} // namespace

class TDisplayCodePageTest : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTripsInEveryCodePage();
    void eachByteIsOneCharacterInSingleByteCodePages();
    void lineBreaksStayAndNoOtherByteBecomesOne();
    void showsTheCodePagesOwnCharacters_data();
    void showsTheCodePagesOwnCharacters();
    void malformedUtf8RoundTrips_data();
    void malformedUtf8RoundTrips();
    void unwritableCharacterBecomesQuestionMark();
};

void TDisplayCodePageTest::everyByteRoundTripsInEveryCodePage() {
    const std::string bytes = AllBytes();
    for (const TDisplayCodePage page : AllCodePages()) {
        const QString shown = DecodeBytes(bytes, page);
        QCOMPARE(Hex(EncodeText(shown, page)), Hex(bytes));
        // Byte by byte too: no byte needs its neighbours to come back.
        for (const char byte : bytes) {
            const std::string one(1, byte);
            QCOMPARE(EncodeText(DecodeBytes(one, page), page), one);
        }
    }
}

void TDisplayCodePageTest::eachByteIsOneCharacterInSingleByteCodePages() {
    for (const TDisplayCodePage page : AllCodePages()) {
        if (page == TDisplayCodePage::Utf8) {
            continue;
        }
        QCOMPARE(DecodeBytes(AllBytes(), page).size(), qsizetype{256});
    }
}

void TDisplayCodePageTest::lineBreaksStayAndNoOtherByteBecomesOne() {
    const std::string bytes = AllBytes();
    for (const TDisplayCodePage page : AllCodePages()) {
        const QString shown = DecodeBytes(bytes, page);
        int breaks = 0;
        for (const QChar c : shown) {
            if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator ||
                c == QChar::LineSeparator) {
                ++breaks;
            }
        }
        QCOMPARE(breaks, 2);
        QVERIFY(shown.contains(u'\n'));
        QVERIFY(shown.contains(u'\r'));
    }
}

void TDisplayCodePageTest::showsTheCodePagesOwnCharacters_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* name, TDisplayCodePage page, const char* bytes,
                        const char16_t* shown) {
        QTest::newRow(name) << static_cast<int>(page) << QByteArray(bytes)
                            << QString::fromUtf16(shown);
    };
    row("1252 euro and e acute", TDisplayCodePage::Windows1252, "\x80 caf\xe9 \xa0",
        u"\u20ac caf\u00e9 \u00a0");
    row("1250 s caron", TDisplayCodePage::Windows1250, "\x8a\xe8", u"\u0160\u010d");
    row("1251 cyrillic", TDisplayCodePage::Windows1251, "\xcf\xf0\xe8\xe2\xe5\xf2", u"Привет");
    row("437 box drawing", TDisplayCodePage::Ibm437, "\xc9\xcd\xbb", u"╔═╗");
    row("850 a grave", TDisplayCodePage::Ibm850, "\x85", u"\u00e0");
    row("866 cyrillic", TDisplayCodePage::Ibm866, "\x8f\xe0\xa8", u"При");
    row("KOI8-R cyrillic", TDisplayCodePage::Koi8R, "\xf0\xd2\xc9", u"При");
    row("UTF-8 cyrillic", TDisplayCodePage::Utf8, "\xd0\x9f\xd1\x80\xd0\xb8", u"При");
    row("UTF-8 beyond the basic plane", TDisplayCodePage::Utf8, "\xf0\x9f\x98\x80", u"\U0001F600");
}

void TDisplayCodePageTest::showsTheCodePagesOwnCharacters() {
    QFETCH(int, page);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const auto codePage = static_cast<TDisplayCodePage>(page);
    const std::string input(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QCOMPARE(DecodeBytes(input, codePage), shown);
    QCOMPARE(EncodeText(shown, codePage), input);
}

void TDisplayCodePageTest::malformedUtf8RoundTrips_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lone continuation") << QByteArray("a\x80z");
    QTest::newRow("cut off at the end") << QByteArray("ab\xe2\x82");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf");
    QTest::newRow("encoded surrogate") << QByteArray("\xed\xa0\x80");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80");
    QTest::newRow("escape range character itself") << QByteArray("\xef\x9c\x80\xef\x9f\xbf");
    QTest::newRow("paragraph separator") << QByteArray("a\xe2\x80\xa9"
                                                       "b");
    QTest::newRow("line separator") << QByteArray("a\xe2\x80\xa8"
                                                  "b");
    QTest::newRow("frame marks") << QByteArray("\xef\xb7\x90\xef\xb7\x91");
}

void TDisplayCodePageTest::malformedUtf8RoundTrips() {
    QFETCH(QByteArray, bytes);
    const std::string input(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const QString shown = DecodeBytes(input, TDisplayCodePage::Utf8);
    QVERIFY(!shown.contains(QChar::ParagraphSeparator));
    QVERIFY(!shown.contains(QChar::LineSeparator));
    QCOMPARE(Hex(EncodeText(shown, TDisplayCodePage::Utf8)), Hex(input));
}

void TDisplayCodePageTest::unwritableCharacterBecomesQuestionMark() {
    QCOMPARE(EncodeText(u"a\u4e2db", TDisplayCodePage::Windows1252), std::string("a?b"));
    QCOMPARE(EncodeText(u"a\U0001F600b", TDisplayCodePage::Koi8R), std::string("a?b"));
    QCOMPARE(EncodeText(QString(QChar(0xD800)), TDisplayCodePage::Utf8), std::string("?"));
}

QTEST_GUILESS_MAIN(TDisplayCodePageTest)
#include "display_code_page_test.moc"
