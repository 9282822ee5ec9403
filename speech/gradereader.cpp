#include "speech/gradereader.h"

#include "speech/qtspeechengine.h"

#include <algorithm>
#include <utility>

namespace wykazki {

GradeReader::GradeReader(QObject* parent) : GradeReader(makeQtSpeechEngine, parent)
{
}

GradeReader::GradeReader(SpeechEngineFactory makeEngine, QObject* parent)
    : QObject(parent), makeEngine_(std::move(makeEngine))
{
    sentenceWatch_.setSingleShot(true);
    connect(&sentenceWatch_, &QTimer::timeout, this, &GradeReader::overTime);
}

void GradeReader::setTimeLimit(std::chrono::milliseconds perSentence)
{
    perSentence_ = perSentence;
}

GradeReader::~GradeReader()
{
    // The engine may still be speaking; nothing is said after the window goes.
    if (engine_ && reading_)
        engine_->stop();
}

SpeechEngine* GradeReader::engine()
{
    if (!engineMade_) {
        engineMade_ = true;
        if (makeEngine_)
            engine_ = makeEngine_();
        if (engine_)
            connect(engine_.get(), &SpeechEngine::stateChanged, this,
                    &GradeReader::engineStateChanged);
    }
    return engine_.get();
}

bool GradeReader::available(QString* why)
{
    SpeechEngine* speech = engine();
    SpeechEngine::Lack lack = SpeechEngine::Lack::Synthesizer;
    if (speech && speech->state() != SpeechEngine::State::Error)
        lack = speech->lack();
    if (lack == SpeechEngine::Lack::Nothing)
        return true;
    if (why) {
        *why = QStringLiteral("Czytanie ocen niedostępne: ");
        switch (lack) {
        case SpeechEngine::Lack::PolishVoice: *why += QStringLiteral("brak polskiego głosu"); break;
        case SpeechEngine::Lack::NoAnswer:
            *why += QStringLiteral("syntezator mowy nie odpowiada");
            break;
        default:
            *why += QStringLiteral("brak syntezatora mowy (pakiety speech-dispatcher i espeak-ng)");
        }
    }
    return false;
}

void GradeReader::read(const QStringList& sentences)
{
    if (!available())
        return;
    queue_.clear();
    for (const QString& sentence : sentences)
        if (!sentence.trimmed().isEmpty())
            queue_ << sentence;
    if (reading_) {
        // Quiet first, so that the Ready this brings ends nothing.
        reading_ = false;
        begun_ = false;
        sentenceWatch_.stop();
        engine_->stop();
    }
    if (queue_.isEmpty())
        return;
    reading_ = true;
    sayNext();
}

void GradeReader::stop()
{
    if (!reading_)
        return;
    queue_.clear();
    reading_ = false;
    begun_ = false;
    sentenceWatch_.stop();
    engine_->stop();
    emit finished();
}

void GradeReader::engineStateChanged(SpeechEngine::State state)
{
    if (!reading_)
        return;
    switch (state) {
    case SpeechEngine::State::Speaking: begun_ = true; break;
    case SpeechEngine::State::Ready:
        if (begun_)
            sayNext();
        break;
    case SpeechEngine::State::Error: finish(); break;
    }
}

void GradeReader::sayNext()
{
    // An engine that ends a sentence while it is being given (a fake one,
    // or one refusing it) asks for the next one from within say(): that is
    // taken by the loop here instead of by recursion, however many there are.
    if (saying_) {
        sayAgain_ = true;
        return;
    }
    do {
        sayAgain_ = false;
        begun_ = false;
        if (queue_.isEmpty()) {
            finish();
            return;
        }
        const QString sentence = queue_.takeFirst();
        // Sentences are short; a name as long as a text can be still fits
        // the timer's range.
        sentenceWatch_.start(perSentence_
                             + std::chrono::milliseconds(100)
                                   * std::min<qsizetype>(sentence.size(), 1'000'000));
        saying_ = true;
        engine_->say(sentence);
        saying_ = false;
    } while (sayAgain_ && reading_);
}

void GradeReader::overTime()
{
    if (!reading_)
        return;
    engine_->stop();
    finish();
}

void GradeReader::finish()
{
    queue_.clear();
    reading_ = false;
    begun_ = false;
    sentenceWatch_.stop();
    emit finished();
}

}  // namespace wykazki
