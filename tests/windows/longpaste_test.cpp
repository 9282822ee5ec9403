// A paste or a typed text beyond what a cell takes is cut, and the status
// bar says how much was left out and where.

#include "windowfixture.h"

#include "grid/rangetext.h"
#include "qtbridge/cp1250text.h"
#include "windows/pupilgrid.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

namespace wykazki {

namespace {

struct LongPaste {
    const char* name;
    bool calcFormat;    // LibreOffice's own tab-separated form
    QString tail;       // after kMaxPasteBytes letters
    qsizetype leftOut;  // characters the status bar names; 0: no word
};

class LongPasteTest : public WindowTest, public ::testing::WithParamInterface<LongPaste> {};

TEST_P(LongPasteTest, keepsTheLimitAndSaysHowManyCharactersWereLeftOut)
{
    const LongPaste c = GetParam();
    start();
    selectCell(1, kRemarks);
    const QString text = QString(qsizetype(kMaxPasteBytes), u'a') + c.tail;
    auto* mime = new QMimeData;
    if (c.calcFormat)
        mime->setData(QString::fromLatin1(kCalcTsvFormat), text.toUtf8());
    else
        mime->setText(text);
    QApplication::clipboard()->setMimeData(mime);
    window().setStatusText(QString());

    ASSERT_TRUE(grid().pasteClipboard());
    EXPECT_EQ(value(1, kRemarks).text.size(), kMaxPasteBytes);
    const QString status = window().statusText();
    if (c.leftOut == 0) {
        EXPECT_FALSE(status.contains(QStringLiteral("za długi"))) << status.toStdString();
        return;
    }
    EXPECT_EQ(status, QStringLiteral("Wklejony tekst był za długi: pominięto jego ostatnie znaki: "
                                     "%1 (wklejanie zakończono w komórce: uczeń 2, fraza „%2”)")
                          .arg(c.leftOut)
                          .arg(qstringFromCp1250(doc().phrases()[kRemarks].name)));
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, LongPasteTest,
    ::testing::Values(LongPaste{"exactlyTheLimit", false, QString(), 0},
                      LongPaste{"plainText", false, QStringLiteral("bcdef"), 5},
                      LongPaste{"polishAndBeyondTheCodePage", false, QStringLiteral("ąż😀"), 3},
                      LongPaste{"calcForm", true, QStringLiteral("xyz"), 3}),
    [](const ::testing::TestParamInfo<LongPaste>& row) { return std::string(row.param.name); });

TEST_F(WindowTest, aTypedTextAtItsLimitSaysSoInTheStatusBar)
{
    start();
    selectCell(0, kRemarks);
    setText(0, kRemarks, std::string(PupilGrid::kTextLimit, 'a'));
    window().setStatusText(QString());
    QTest::keyClick(&grid(), Qt::Key_B);
    EXPECT_EQ(value(0, kRemarks).text.size(), PupilGrid::kTextLimit);
    EXPECT_EQ(window().statusText(),
              QStringLiteral("Tekst komórki może mieć najwyżej 2000 znaków: dalszych znaków nie "
                             "wpisano"));
}

}  // namespace

}  // namespace wykazki
