// The pupil grid driven through the real grid: keys, clicks, Ctrl+digit,
// copy and paste, adding and removing pupils.

#include "windowfixture.h"

#include "qtbridge/cp1250text.h"
#include "windows/pupilgrid.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <cstring>

namespace wykazki {

namespace {

// Indices of the wordings.
constexpr int kFailing = 0;
constexpr int kVeryGood = 4;
constexpr int kExcellent = 5;
constexpr int kBrak = 6;

}  // namespace

class PupilGridTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        markSaved();
    }

    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(grid().viewport(), button, {}, grid().cellRect(x + 1, y + 1).center());
    }
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&grid(), key, modifiers);
    }
    void typeText(Qt::Key key, const QString& text)
    {
        QTest::sendKeyEvent(QTest::Click, &grid(), key, text, Qt::NoModifier);
    }
    int grade(int pupil, int phrase) { return value(pupil, phrase).grade; }
    QString text(int pupil, int phrase) { return qstringFromCp1250(value(pupil, phrase).text); }
};

TEST_F(PupilGridTest, typingFiveWritesTheGradeIntoEverySelectedGradeCell)
{
    select(0, kMaths, 2, kPhysics);
    type(Qt::Key_5);
    for (int x = 0; x < kPupilCount; ++x) {
        EXPECT_EQ(grade(x, kMaths), kVeryGood) << x;
        EXPECT_EQ(grade(x, kPhysics), kVeryGood) << x;
    }
    EXPECT_TRUE(editor().isModified());
    EXPECT_EQ(cell(1, kPhysics), QStringLiteral("Bardzo dobry"));
    EXPECT_EQ(cell(kPupilCount, kMaths), QStringLiteral("5,00"));
}

TEST_F(PupilGridTest, aGradeKeyLeavesTextAndPictureCellsOfTheBlockAlone)
{
    select(0, kMaths, 1, kRemarks);
    type(Qt::Key_6);
    EXPECT_EQ(grade(0, kMaths), kExcellent);
    EXPECT_EQ(grade(1, kPhysics), kExcellent);
    EXPECT_EQ(grade(2, kMaths), 2);  // outside the block
    EXPECT_EQ(value(1, kEmblem).picture, "godlo");
    EXPECT_EQ(text(0, kRemarks), QString());
}

TEST_F(PupilGridTest, spaceLettersAndDeleteEnterTheirWordings)
{
    selectCell(1, kMaths);
    const struct {
        Qt::Key key;
        int expected;
    } keys[] = {
        {Qt::Key_Space, kBrak}, {Qt::Key_A, 7},          {Qt::Key_B, 8},
        {Qt::Key_C, 9},         {Qt::Key_D, 10},         {Qt::Key_0, kBrak},
        {Qt::Key_1, kFailing},  {Qt::Key_Delete, kBrak},  // clearing leaves no failing grade
    };
    for (const auto& k : keys) {
        type(k.key);
        EXPECT_EQ(grade(1, kMaths), k.expected) << QTest::toString(k.key);
    }
    type(Qt::Key_D, Qt::ShiftModifier);
    EXPECT_EQ(cell(1, kMaths), QStringLiteral("Nieklasyfikowany"));
}

TEST_F(PupilGridTest, plusMinusAndClicksOnTheCurrentCellStepTheGrade)
{
    selectCell(0, kMaths);  // Bardzo dobry
    type(Qt::Key_Plus);
    EXPECT_EQ(grade(0, kMaths), kExcellent);
    type(Qt::Key_Minus);
    type(Qt::Key_Minus);
    EXPECT_EQ(grade(0, kMaths), 3);

    click(0, kMaths);  // left: one up
    EXPECT_EQ(grade(0, kMaths), kVeryGood);
    click(0, kMaths, Qt::RightButton);  // right: one down
    click(0, kMaths, Qt::RightButton);
    EXPECT_EQ(grade(0, kMaths), 2);

    // At the ends nothing moves.
    setGrade(0, kMaths, 10);
    type(Qt::Key_Plus);
    EXPECT_EQ(grade(0, kMaths), 10);
    setGrade(0, kMaths, 0);
    type(Qt::Key_Minus);
    EXPECT_EQ(grade(0, kMaths), 0);
}

TEST_F(PupilGridTest, typingIntoATextCellWritesEveryTextCellOfAMixedSelection)
{
    select(0, kName, 2, kMaths);
    type(Qt::Key_X);
    for (int x = 0; x < kPupilCount; ++x)
        EXPECT_EQ(text(x, kName), QStringLiteral("Anna Kowalskax")) << x;
    EXPECT_EQ(grade(1, kMaths), 0);  // grades untouched
    EXPECT_EQ(grade(2, kMaths), 2);
    EXPECT_TRUE(editor().isModified());

    type(Qt::Key_Backspace);
    EXPECT_EQ(text(2, kName), QStringLiteral("Anna Kowalska"));
    type(Qt::Key_Return);
    EXPECT_EQ(value(1, kName).text, "Anna Kowalska\r\n");
    type(Qt::Key_Delete);
    EXPECT_EQ(text(0, kName), QString());
    EXPECT_EQ(text(2, kName), QString());
}

TEST_F(PupilGridTest, typedPolishLettersAreStoredAsWindows1250)
{
    selectCell(0, kRemarks);
    typeText(Qt::Key_A, QStringLiteral("ą"));
    typeText(Qt::Key_Z, QStringLiteral("ż"));
    typeText(Qt::Key_unknown, QStringLiteral("ж"));  // not in the code page: refused
    EXPECT_EQ(value(0, kRemarks).text, "\xB9\xBF");
    EXPECT_EQ(cell(0, kRemarks), QStringLiteral("ąż"));
}

TEST_F(PupilGridTest, textsStopAtTheirLimit)
{
    selectCell(0, kRemarks);
    setText(0, kRemarks, std::string(PupilGrid::kTextLimit - 1, 'a'));
    type(Qt::Key_Return);  // no room for CR LF
    EXPECT_EQ(value(0, kRemarks).text.size(), PupilGrid::kTextLimit - 1);
    type(Qt::Key_B);
    type(Qt::Key_C);
    EXPECT_EQ(value(0, kRemarks).text.size(), PupilGrid::kTextLimit);
    EXPECT_EQ(value(0, kRemarks).text.back(), 'b');
}

TEST_F(PupilGridTest, clickOnTheCurrentTextCellCopiesItIntoTheSelection)
{
    select(1, kName, 2, kName);
    click(1, kName);
    EXPECT_EQ(text(2, kName), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(text(0, kName), QStringLiteral("Anna Kowalska"));
}

TEST_F(PupilGridTest, ctrlDigitWritesItsWordingIntoTheSelectedTextCells)
{
    setWording(11 + 2, cp("promowana"));
    setWording(11 + 0, "zero");
    select(0, kName, 1, kPhysics);
    type(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(text(0, kName), QStringLiteral("promowana"));
    EXPECT_EQ(text(1, kName), QStringLiteral("promowana"));
    EXPECT_EQ(text(2, kName), QStringLiteral("Zofia Wiśniewska"));
    EXPECT_EQ(grade(0, kMaths), kVeryGood);
    EXPECT_TRUE(editor().isModified());

    type(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(text(1, kName), QStringLiteral("zero"));

    // The keypad's digits are no Ctrl+digit.
    type(Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_NE(text(0, kName), QStringLiteral("promowana"));
}

TEST_F(PupilGridTest, pastingALowerCaseWordingStoresItsGrade)
{
    selectCell(1, kMaths);
    grid().pasteText(cp("celujący\r\n"));
    EXPECT_EQ(grade(1, kMaths), kExcellent);
    EXPECT_TRUE(editor().isModified());

    grid().pasteText("BARDZO dobry\r\n");
    EXPECT_EQ(grade(1, kMaths), kVeryGood);
    grid().pasteText(cp("szóstka\r\n"));  // no grade: the cell keeps its own
    EXPECT_EQ(grade(1, kMaths), kVeryGood);
}

TEST_F(PupilGridTest, pasteStoresTextsButNoPicturesAndIgnoresTheAverages)
{
    selectCell(0, kName);
    grid().pasteText("Nowe\tInne\r\n");
    EXPECT_EQ(text(0, kName), QStringLiteral("Nowe"));
    EXPECT_EQ(text(1, kName), QStringLiteral("Inne"));

    selectCell(2, kEmblem);
    grid().pasteText("herb\tnic\r\n");  // the second cell is an average
    EXPECT_EQ(value(2, kEmblem).picture, "godlo");
    EXPECT_EQ(doc().pupils().count(), static_cast<std::size_t>(kPupilCount));
}

TEST_F(PupilGridTest, copyGivesWhatTheCellsShowAndNothingForAverages)
{
    select(0, kMaths, kPupilCount, kMaths);
    std::string copied;
    grid().TekstZakresu(copied, true);
    // The empty average still takes its place; only the line's last TAB goes.
    EXPECT_EQ(copied, "Bardzo dobry\tNiedostateczny\tDostateczny\t\r\n");
}

TEST_F(PupilGridTest, deleteClearsSelectedPicturesWithoutAChooser)
{
    window().pupilGrid().setPictureChooser({});  // the program's own would open
    select(0, kEmblem, 1, kEmblem);
    type(Qt::Key_P);  // no picture chooser: nothing changes
    EXPECT_EQ(value(0, kEmblem).picture, "godlo");
    EXPECT_FALSE(editor().isModified());
    type(Qt::Key_Delete);
    EXPECT_EQ(value(0, kEmblem).picture, "");
    EXPECT_EQ(value(1, kEmblem).picture, "");
    EXPECT_EQ(value(2, kEmblem).picture, "godlo");
    EXPECT_TRUE(editor().isModified());
}

TEST_F(PupilGridTest, aChosenPictureGoesIntoEverySelectedPictureCell)
{
    std::string offered;
    window().pupilGrid().setPictureChooser([&](const std::string& current) {
        offered = current;
        return std::optional<std::string>("logo");
    });
    select(1, kEmblem, 2, kEmblem);
    type(Qt::Key_Return);
    EXPECT_EQ(offered, "godlo");
    EXPECT_EQ(value(1, kEmblem).picture, "logo");
    EXPECT_EQ(value(2, kEmblem).picture, "logo");
    EXPECT_EQ(value(0, kEmblem).picture, "godlo");
}

TEST_F(PupilGridTest, addPupilInsertsAfterTheCurrentColumnAndMovesOntoIt)
{
    selectCell(0, kName);
    window().speedButton(3).click();
    ASSERT_EQ(doc().pupils().count(), 4u);
    EXPECT_EQ(text(1, kName), QString());
    EXPECT_EQ(grade(1, kMaths), kBrak);
    EXPECT_EQ(text(2, kName), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(grid().PozX(), 1);
    EXPECT_EQ(grid().Ilx(), 5);
    EXPECT_TRUE(editor().isModified());

    selectCell(3, kName);  // the last pupil
    window().speedButton(3).click();
    ASSERT_EQ(doc().pupils().count(), 5u);
    EXPECT_EQ(text(3, kName), QStringLiteral("Zofia Wiśniewska"));
    EXPECT_EQ(grid().PozX(), 4);

    selectCell(5, kName);  // the averages column
    window().speedButton(3).click();
    EXPECT_EQ(doc().pupils().count(), 5u);
}

// Screen readers see the grid through its model: the texts it shows, its
// headers, and a model that stays consistent as pupils come and go.
TEST_F(PupilGridTest, theModelShowsTheGridsTextsAndPassesQtsModelChecks)
{
    static int complaints = 0;
    complaints = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext& where, const QString&) {
            if (where.category != nullptr && std::strcmp(where.category, "qt.modeltest") == 0)
                ++complaints;
        });
    QAbstractItemModel* model = grid().model();
    {
        const QAbstractItemModelTester tester(
            model, QAbstractItemModelTester::FailureReportingMode::Warning);
        selectCell(0, kName);
        window().speedButton(3).click();  // a pupil added: a column inserted
        selectCell(1, kName);
        window().speedButton(4).click();  // and removed again
        select(0, kMaths, 0, kMaths);
        type(Qt::Key_5);
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(complaints, 0);

    for (const int role : {int(Qt::DisplayRole), int(Qt::AccessibleTextRole)}) {
        EXPECT_EQ(model->index(kMaths, 0).data(role).toString(), QStringLiteral("Bardzo dobry"));
        EXPECT_EQ(model->index(kName, 0).data(role).toString(), text(0, kName));
        EXPECT_FALSE(model->headerData(kMaths, Qt::Vertical, role).toString().isEmpty());
        EXPECT_FALSE(model->headerData(0, Qt::Horizontal, role).toString().isEmpty());
    }
    EXPECT_FALSE(model->index(kMaths, 0).data(Qt::DecorationRole).isValid());
    EXPECT_FALSE(model->headerData(model->rowCount(), Qt::Vertical).isValid());
}

TEST_F(PupilGridTest, everyToolButtonAndCheckBoxHasAnAccessibleName)
{
    for (const QAbstractButton* button : window().findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QToolButton*>(button) == nullptr
            && qobject_cast<const QCheckBox*>(button) == nullptr)
            continue;
        if (button->objectName().startsWith(QLatin1String("qt_")))
            continue;  // Qt's own, such as a toolbar's extension arrow
        const QString name =
            button->accessibleName().isEmpty() ? button->text() : button->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << button->objectName().toStdString() << " in "
                                     << button->parent()->objectName().toStdString() << " "
                                     << button->parent()->metaObject()->className();
    }
}

TEST_F(PupilGridTest, removePupilTakesTheCurrentColumnWithoutAsking)
{
    selectCell(kPupilCount, kName);  // the averages column: nothing
    window().speedButton(4).click();
    EXPECT_EQ(doc().pupils().count(), static_cast<std::size_t>(kPupilCount));
    EXPECT_FALSE(editor().isModified());

    selectCell(0, kName);
    window().speedButton(4).click();
    ASSERT_EQ(doc().pupils().count(), 2u);
    EXPECT_EQ(text(0, kName), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(grid().Ilx(), 3);
    EXPECT_TRUE(editor().isModified());
    EXPECT_TRUE(dialogs->questions.empty());

    window().speedButton(4).click();
    window().speedButton(4).click();
    EXPECT_EQ(doc().pupils().count(), 0u);
    EXPECT_EQ(grid().Ilx(), 1);
    EXPECT_FALSE(window().speedButton(8).isEnabled());
    window().speedButton(4).click();  // nobody left
    EXPECT_EQ(doc().pupils().count(), 0u);
}

TEST_F(PupilGridTest, theCornerOpensTheGridOptions)
{
    QSignalSpy options(&window(), &Tffwmain::gridOptionsRequested);
    grid().owner()->cornerClicked(grid(), 1, 0);
    EXPECT_EQ(options.count(), 1);
}

class EmptyGridTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start(false);
    }
};

TEST_F(EmptyGridTest, keysAreConsumedAndChangeNothing)
{
    QTest::keyClick(&grid(), Qt::Key_5);
    QTest::keyClick(&grid(), Qt::Key_2, Qt::ControlModifier);
    grid().pasteText("Celujacy\r\n");
    EXPECT_FALSE(editor().isModified());
    EXPECT_EQ(cell(0, 0), QStringLiteral("........"));
}

TEST_F(EmptyGridTest, addPupilCreatesTheFirstPupil)
{
    editor().addPhrase(0);
    window().speedButton(3).click();
    ASSERT_EQ(doc().pupils().count(), 1u);
    EXPECT_EQ(doc().pupils()[0].values.count(), 1u);
    EXPECT_EQ(grid().Ilx(), 2);
    EXPECT_EQ(columnHeader(0), QStringLiteral("1"));
    EXPECT_TRUE(window().speedButton(7).isEnabled());
}

}  // namespace wykazki
