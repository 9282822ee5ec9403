#include "speech/qtspeechengine.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

#include <algorithm>
#include <chrono>

namespace wykazki {

namespace {

// How long the first question waits for the synthesizer, and how long
// closing the program waits for its thread.
constexpr std::chrono::seconds kAnswerTime{5};
constexpr int kClosingMs = 2000;

SpeechEngine::State stateOf(QTextToSpeech::State state)
{
    switch (state) {
    case QTextToSpeech::Ready: return SpeechEngine::State::Ready;
    case QTextToSpeech::Speaking:
    case QTextToSpeech::Paused: return SpeechEngine::State::Speaking;
    case QTextToSpeech::Error: break;
    }
    return SpeechEngine::State::Error;
}

}  // namespace

// Everything that touches QTextToSpeech, in the speech thread.
class SpeechThreadWorker : public QObject {
    Q_OBJECT
public:
    SpeechEngine::Lack open()
    {
        if (QTextToSpeech::availableEngines().isEmpty())
            return SpeechEngine::Lack::Synthesizer;
        speech_ = std::make_unique<QTextToSpeech>();
        connect(speech_.get(), &QTextToSpeech::stateChanged, this,
                [this](QTextToSpeech::State state) { emit stateChanged(stateOf(state)); });
        if (speech_->state() == QTextToSpeech::Error)
            return SpeechEngine::Lack::Synthesizer;
        // Any Polish locale will do (there is only pl_PL in practice).
        const QList<QLocale> locales = speech_->availableLocales();
        const auto polish = std::find_if(locales.begin(), locales.end(), [](const QLocale& l) {
            return l.language() == QLocale::Polish;
        });
        if (polish == locales.end())
            return SpeechEngine::Lack::PolishVoice;
        speech_->setLocale(*polish);
        if (speech_->availableVoices().isEmpty())
            return SpeechEngine::Lack::PolishVoice;
        return SpeechEngine::Lack::Nothing;
    }
    void say(const QString& text)
    {
        if (speech_)
            speech_->say(text);
    }
    void stop()
    {
        if (speech_)
            speech_->stop();
    }

signals:
    void stateChanged(SpeechEngine::State state);

private:
    std::unique_ptr<QTextToSpeech> speech_;
};

QtSpeechEngine::QtSpeechEngine() : thread_(std::make_unique<QThread>())
{
    thread_->setObjectName(QStringLiteral("speech"));
    auto worker = std::make_unique<SpeechThreadWorker>();
    worker->moveToThread(thread_.get());
    connect(worker.get(), &SpeechThreadWorker::stateChanged, this, [this](State state) {
        state_ = state;
        emit stateChanged(state);
    });
    worker_ = worker.release();
    thread_->start();

    auto answer = std::make_shared<std::promise<Lack>>();
    opening_ = answer->get_future();
    QMetaObject::invokeMethod(worker_,
                              [worker = worker_, answer] { answer->set_value(worker->open()); });
}

QtSpeechEngine::~QtSpeechEngine()
{
    // The worker, and the synthesizer's connection with it, go in their
    // own thread as it ends.
    worker_->deleteLater();
    thread_->quit();
    if (!thread_->wait(QDeadlineTimer(kClosingMs))) {
        // Stuck in the synthesizer: the thread ends with the program,
        // since a running QThread must not be destroyed.
        static_cast<void>(thread_.release());
    }
}

SpeechEngine::Lack QtSpeechEngine::lack()
{
    if (opening_.valid()) {
        const auto wait = waited_ ? std::chrono::seconds(0) : kAnswerTime;
        waited_ = true;
        if (opening_.wait_for(wait) != std::future_status::ready)
            return Lack::NoAnswer;
        lack_ = opening_.get();
    }
    return lack_;
}

void QtSpeechEngine::say(const QString& text)
{
    if (lack() == Lack::Nothing)
        QMetaObject::invokeMethod(worker_, [worker = worker_, text] { worker->say(text); });
}

void QtSpeechEngine::stop()
{
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->stop(); });
}

std::unique_ptr<SpeechEngine> makeQtSpeechEngine()
{
    return std::make_unique<QtSpeechEngine>();
}

}  // namespace wykazki

#include "qtspeechengine.moc"
