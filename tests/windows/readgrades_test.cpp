// F7 reads the current pupil's grades aloud through the program's reader;
// without a synthesizer the status bar says why and nothing else happens.

#include "windowfixture.h"

#include "speech/gradereader.h"
#include "speech/gradesentences.h"

#include <QTest>

namespace wykazki {

namespace {

class FakeEngine : public SpeechEngine {
public:
    explicit FakeEngine(Lack lacking, QStringList& said) : lacking_(lacking), said_(said) {}
    Lack lack() override { return lacking_; }
    void say(const QString& text) override
    {
        said_ << text;
        state_ = State::Speaking;
        emit stateChanged(state_);
    }
    void stop() override
    {
        state_ = State::Ready;
        emit stateChanged(state_);
    }
    State state() const override { return state_; }

private:
    Lack lacking_;
    QStringList& said_;
    State state_ = State::Ready;
};

class ReadGradesTest : public WindowTest {
protected:
    void useEngine(SpeechEngine::Lack lack)
    {
        window().setGradeReader(std::make_unique<GradeReader>(
            [this, lack] { return std::make_unique<FakeEngine>(lack, said); }));
    }
    QStringList said;
};

TEST_F(ReadGradesTest, f7ReadsTheCurrentPupilAndStopsOnF7OrEscape)
{
    start();
    useEngine(SpeechEngine::Lack::Nothing);
    selectCell(1, kMaths);
    QTest::keyClick(&grid(), Qt::Key_F7);
    const QStringList expected = gradeSentences(doc(), 1);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(expected.front(), QStringLiteral("Jan Nowak"));
    EXPECT_EQ(window().lastReading(), expected);
    EXPECT_EQ(said, QStringList{expected.front()});  // one at a time
    EXPECT_TRUE(window().gradeReader().reading());
    QTest::keyClick(&grid(), Qt::Key_Escape);
    EXPECT_FALSE(window().gradeReader().reading());
    EXPECT_EQ(window().statusText(), QStringLiteral("Koniec czytania ocen."));

    // Shift+F7: the next pupil.
    QTest::keyClick(&grid(), Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(grid().PozX(), 2);
    EXPECT_EQ(window().lastReading(), gradeSentences(doc(), 2));
    QTest::keyClick(&grid(), Qt::Key_F7);
    EXPECT_FALSE(window().gradeReader().reading());
}

TEST_F(ReadGradesTest, withoutASynthesizerTheStatusBarSaysWhy)
{
    start();
    useEngine(SpeechEngine::Lack::Synthesizer);
    selectCell(0, kMaths);
    QTest::keyClick(&grid(), Qt::Key_F7);
    EXPECT_TRUE(window().statusText().startsWith(QStringLiteral("Czytanie ocen niedostępne")))
        << window().statusText().toStdString();
    EXPECT_TRUE(said.isEmpty());
}

}  // namespace

}  // namespace wykazki
