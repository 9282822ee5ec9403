// The grade reader's queue, stop and availability, over an engine that
// speaks only when the test says so.

#include "speech/gradereader.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QThread>

#include <chrono>
#include <memory>

namespace wykazki {

namespace {

using State = SpeechEngine::State;
using Lack = SpeechEngine::Lack;

class FakeEngine : public SpeechEngine {
    Q_OBJECT
public:
    Lack lack() override { return lacking; }
    void say(const QString& text) override
    {
        said << text;
        if (instant) {
            set(State::Speaking);
            set(State::Ready);
        }
    }
    void stop() override { ++stops; }
    State state() const override { return current; }

    void set(State state)
    {
        current = state;
        emit stateChanged(state);
    }
    // The sentence given last is said to its end.
    void sayToEnd()
    {
        set(State::Speaking);
        set(State::Ready);
    }

    Lack lacking = Lack::Nothing;
    bool instant = false;  // every sentence ends within say()
    State current = State::Ready;
    QStringList said;
    int stops = 0;
};

class GradeReaderTest : public ::testing::Test {
protected:
    GradeReaderTest()
        : reader([this] {
              ++made;
              auto fake = std::make_unique<FakeEngine>();
              engine = fake.get();
              return fake;
          })
    {
        QObject::connect(&reader, &GradeReader::finished, [this] { ++finished; });
    }

    FakeEngine* engine = nullptr;
    int made = 0;
    int finished = 0;
    GradeReader reader;
};

TEST_F(GradeReaderTest, saysEachSentenceAfterThePreviousEnds)
{
    EXPECT_EQ(made, 0);  // nothing made before it is needed
    reader.read({QStringLiteral("Anna"), QStringLiteral(" "), QStringLiteral("Fizyka: Dobry"),
                 QStringLiteral("Średnia: 4,00")});
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(reader.reading());
    EXPECT_EQ(engine->said, QStringList{QStringLiteral("Anna")});

    // A Ready before the sentence has begun is left over from before.
    engine->set(State::Ready);
    EXPECT_EQ(engine->said.size(), 1);
    engine->set(State::Speaking);
    EXPECT_EQ(engine->said.size(), 1);

    engine->set(State::Ready);
    EXPECT_EQ(engine->said.last(), QStringLiteral("Fizyka: Dobry"));  // the blank one left out
    engine->sayToEnd();
    EXPECT_EQ(engine->said.last(), QStringLiteral("Średnia: 4,00"));
    EXPECT_EQ(finished, 0);
    engine->sayToEnd();
    EXPECT_EQ(engine->said.size(), 3);
    EXPECT_FALSE(reader.reading());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine->stops, 0);
    EXPECT_EQ(made, 1);

    engine->sayToEnd();  // someone else's speech is no business of the reader
    EXPECT_EQ(finished, 1);
}

TEST_F(GradeReaderTest, stopEndsMidSentenceAndLaterStatesSayNothing)
{
    reader.read({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    engine->set(State::Speaking);
    reader.stop();
    EXPECT_EQ(engine->stops, 1);
    EXPECT_FALSE(reader.reading());
    EXPECT_EQ(finished, 1);
    engine->set(State::Ready);  // the stopped sentence's end
    engine->sayToEnd();
    EXPECT_EQ(engine->said, QStringList{QStringLiteral("a")});
    reader.stop();  // not reading: nothing to stop
    EXPECT_EQ(engine->stops, 1);
    EXPECT_EQ(finished, 1);
}

TEST_F(GradeReaderTest, aNewReadingReplacesTheOneUnderWay)
{
    reader.read({QStringLiteral("a"), QStringLiteral("b")});
    engine->set(State::Speaking);
    reader.read({QStringLiteral("c")});
    EXPECT_EQ(engine->stops, 1);
    EXPECT_EQ(engine->said, (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(finished, 0);
    engine->set(State::Ready);  // "a" cut off: "c" has not begun
    EXPECT_TRUE(reader.reading());
    engine->sayToEnd();
    EXPECT_EQ(engine->said.size(), 2);
    EXPECT_EQ(finished, 1);
}

TEST_F(GradeReaderTest, aFailingSynthesizerEndsTheReading)
{
    reader.read({QStringLiteral("a"), QStringLiteral("b")});
    engine->set(State::Speaking);
    engine->set(State::Error);
    EXPECT_FALSE(reader.reading());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine->said.size(), 1);
    QString why;
    EXPECT_FALSE(reader.available(&why));
    EXPECT_TRUE(why.contains(QStringLiteral("brak syntezatora mowy")));
}

TEST_F(GradeReaderTest, sentencesEndingWithinSayAreTakenWithoutRecursion)
{
    reader.available();
    engine->instant = true;
    QStringList many;
    for (int i = 0; i < 100000; ++i)
        many << QString::number(i);
    reader.read(many);
    EXPECT_EQ(engine->said, many);
    EXPECT_FALSE(reader.reading());
    EXPECT_EQ(finished, 1);
}

// A synthesizer that takes texts but never says them to the end (no sound
// device) ends the reading instead of leaving it under way for ever.
TEST_F(GradeReaderTest, aSentenceNeverEndedEndsTheReading)
{
    using namespace std::chrono_literals;
    reader.setTimeLimit(1ms);
    reader.read({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    engine->sayToEnd();
    engine->set(State::Speaking);
    ASSERT_EQ(engine->said.size(), 2);
    const QDeadlineTimer deadline(10s);
    while (reader.reading() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_FALSE(reader.reading());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(engine->stops, 1);
    EXPECT_EQ(engine->said.size(), 2);
}

TEST_F(GradeReaderTest, nothingToSayIsNoReading)
{
    reader.read({});
    reader.read({QStringLiteral(""), QStringLiteral("\t")});
    EXPECT_FALSE(reader.reading());
    EXPECT_TRUE(engine->said.isEmpty());
    EXPECT_EQ(finished, 0);
}

struct AvailabilityRow {
    const char* what;
    bool noEngine;
    Lack lack;
    State state;
    const char* why;  // nothing: available
};

class GradeReaderAvailability : public ::testing::TestWithParam<AvailabilityRow> {};

TEST_P(GradeReaderAvailability, saysWhyReadingCannotWork)
{
    const AvailabilityRow& row = GetParam();
    FakeEngine* engine = nullptr;
    GradeReader reader([&]() -> std::unique_ptr<SpeechEngine> {
        if (row.noEngine)
            return nullptr;
        auto made = std::make_unique<FakeEngine>();
        made->lacking = row.lack;
        made->current = row.state;
        engine = made.get();
        return made;
    });
    QString why = QStringLiteral("nic");
    EXPECT_EQ(reader.available(&why), row.why == nullptr);
    EXPECT_EQ(why, row.why ? QString::fromUtf8(row.why) : QStringLiteral("nic"));

    reader.read({QStringLiteral("Anna")});
    EXPECT_EQ(reader.reading(), row.why == nullptr);
    if (engine) {
        EXPECT_EQ(engine->said.size(), row.why ? 0 : 1);
    }
}

constexpr const char* kNoSynthesizer = "Czytanie ocen niedostępne: brak syntezatora mowy "
                                       "(pakiety speech-dispatcher i espeak-ng)";

INSTANTIATE_TEST_SUITE_P(
    Engines, GradeReaderAvailability,
    ::testing::Values(
        AvailabilityRow{"polish", false, Lack::Nothing, State::Ready, nullptr},
        AvailabilityRow{"noPolishVoice", false, Lack::PolishVoice, State::Ready,
                        "Czytanie ocen niedostępne: brak polskiego głosu"},
        AvailabilityRow{"noSynthesizer", false, Lack::Synthesizer, State::Ready, kNoSynthesizer},
        AvailabilityRow{"noAnswer", false, Lack::NoAnswer, State::Ready,
                        "Czytanie ocen niedostępne: syntezator mowy nie odpowiada"},
        AvailabilityRow{"failedEngine", false, Lack::Nothing, State::Error, kNoSynthesizer},
        AvailabilityRow{"noEngine", true, Lack::Nothing, State::Ready, kNoSynthesizer}),
    [](const ::testing::TestParamInfo<AvailabilityRow>& row) {
        return std::string(row.param.what);
    });

}  // namespace

}  // namespace wykazki

#include "gradereader_test.moc"
