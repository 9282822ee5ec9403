// The long-text editor following the pupil grid's current cell.

#include "windowfixture.h"

#include "windows/ffwopis.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>

namespace wykazki {

class LongTextTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
    }

    // Moves the current cell the way the user does, with the arrow keys, and
    // lets the grid paint: the cell change is reported at the latest then.
    void moveTo(int x, int y)
    {
        while (grid().PozX() < x)
            QTest::keyClick(&grid(), Qt::Key_Right);
        while (grid().PozX() > x)
            QTest::keyClick(&grid(), Qt::Key_Left);
        while (grid().PozY() < y)
            QTest::keyClick(&grid(), Qt::Key_Down);
        while (grid().PozY() > y)
            QTest::keyClick(&grid(), Qt::Key_Up);
        grid().viewport()->repaint();
    }
    void switchOn(bool on)
    {
        if (window().longTextSwitch().isChecked() != on)
            window().longTextSwitch().click();
    }

    Tffwopis& opis() { return context->opis(); }
    QString shown() { return opis().memo().toPlainText(); }
    QColor background() { return opis().memo().palette().color(QPalette::Base); }
};

TEST_F(LongTextTest, followsTheCurrentCellAndTurnsRedOnGradesAndPictures)
{
    EXPECT_FALSE(opis().isVisible());
    moveTo(1, kName);
    switchOn(true);
    ASSERT_TRUE(opis().isVisible());
    EXPECT_EQ(shown(), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(background(), QColor(0, 255, 255));
    EXPECT_FALSE(opis().isReadOnly());

    moveTo(1, kMaths);
    EXPECT_EQ(shown(), QStringLiteral("???"));
    EXPECT_EQ(background(), QColor(255, 0, 0));
    EXPECT_TRUE(opis().isReadOnly());
    QTest::keyClicks(&opis().memo(), QStringLiteral("x"));
    EXPECT_EQ(value(1, kMaths).grade, 0);
    EXPECT_EQ(shown(), QStringLiteral("???"));

    moveTo(2, kEmblem);
    EXPECT_EQ(shown(), QStringLiteral("???"));

    moveTo(2, kName);
    EXPECT_EQ(shown(), QStringLiteral("Zofia Wiśniewska"));
    EXPECT_EQ(background(), QColor(0, 255, 255));
}

TEST_F(LongTextTest, averagesLeaveTheLastDataCellBound)
{
    moveTo(2, kName);
    switchOn(true);
    moveTo(kPupilCount, kName);
    EXPECT_TRUE(opis().isVisible());
    EXPECT_EQ(opis().boundPupil(), 2);
    moveTo(kPupilCount, kPhraseCount);
    EXPECT_EQ(opis().boundPhrase(), kName);

    QTest::keyClicks(&opis().memo(), QStringLiteral("!"));
    EXPECT_EQ(value(2, kName).text, cp("Zofia Wiśniewska!"));
}

TEST_F(LongTextTest, typingInTheGridShowsAtOnceAndTypingInTheEditorStores)
{
    moveTo(0, kRemarks);
    switchOn(true);
    QTest::keyClick(&grid(), Qt::Key_A);
    EXPECT_EQ(shown(), QStringLiteral("a"));

    markSaved();
    QTextCursor end = opis().memo().textCursor();
    end.movePosition(QTextCursor::End);
    opis().memo().setTextCursor(end);
    QTest::keyClick(&opis().memo(), Qt::Key_Return);
    QTest::keyClicks(&opis().memo(), QStringLiteral("b"));
    EXPECT_EQ(value(0, kRemarks).text, "a\r\nb");
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(cell(0, kRemarks), QStringLiteral("a\r\nb"));

    // A character Windows-1250 cannot hold does not get in.
    QTest::sendKeyEvent(QTest::Click, &opis().memo(), Qt::Key_unknown, QStringLiteral("ж"),
                        Qt::NoModifier);
    EXPECT_EQ(value(0, kRemarks).text, "a\r\nb");
    EXPECT_EQ(shown(), QStringLiteral("a\nb"));
}

TEST_F(LongTextTest, clearingTheSwitchHidesAndSettingItShowsTheCurrentCell)
{
    moveTo(0, kName);
    switchOn(true);
    switchOn(false);
    EXPECT_FALSE(opis().isVisible());
    moveTo(1, kName);  // followed no more
    EXPECT_EQ(opis().boundPupil(), 0);
    switchOn(true);
    EXPECT_TRUE(opis().isVisible());
    EXPECT_EQ(shown(), QStringLiteral("Jan Nowak"));
}

// Where the editor first opens: beside the main window when the screen has
// room, else over the grid's last cells, never over the menus or toolbar.
TEST(LongTextPlace, besideTheMainWindowOrInTheGridsCorner)
{
    const QSize size(300, 100);
    const QRect screen(0, 0, 1920, 1080);
    const struct {
        QRect main, grid;
        QPoint expected;
    } cases[] = {
        // Room on the right.
        {{0, 0, 800, 600}, {10, 120, 780, 450}, {804, 120}},
        // No room on the right: below.
        {{1000, 0, 900, 600}, {1010, 120, 880, 450}, {1000, 604}},
        // Only on the left.
        {{800, 100, 1100, 900}, {810, 220, 1080, 750}, {496, 220}},
        // Maximised: the grid's bottom right corner.
        {{0, 0, 1920, 1080}, {0, 130, 1920, 920}, {1620, 950}},
        // A grid smaller than the editor: its top left, below the toolbar.
        {{0, 0, 1920, 1080}, {0, 130, 200, 50}, {0, 130}},
        // A window taller than the screen: the corner of the screen instead.
        {{0, 0, 1920, 1200}, {0, 130, 1920, 1000}, {1620, 980}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(longTextPlace(c.main, c.grid, size, screen).topLeft(), c.expected)
            << c.main.x() << "," << c.main.y();
}

TEST_F(LongTextTest, opensClearOfTheMenusAndComesBackWhereItWasLeft)
{
    EXPECT_FALSE(opis().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    moveTo(1, kName);
    switchOn(true);
    ASSERT_TRUE(opis().isVisible());
    const QRect editor = opis().frameGeometry();
    const QWidget* toolbar = window().findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    const QRect menus(
        window().menuBar()->mapToGlobal(QPoint(0, 0)),
        QSize(window().width(), toolbar->mapTo(&window(), QPoint(0, toolbar->height())).y()));
    EXPECT_FALSE(editor.intersects(menus)) << editor.y() << " " << menus.bottom();

    opis().move(editor.topLeft() + QPoint(-7, 5));
    switchOn(false);
    const QPoint left = opis().pos();
    TearDown();
    SetUp();
    moveTo(1, kName);
    switchOn(true);
    EXPECT_EQ(opis().pos(), left);
}

}  // namespace wykazki
