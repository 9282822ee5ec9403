#include "speech/qtspeechengine.h"

#include "qtbridge/programmodule.h"
#include "speech/speechsynthesizer.h"

#include <QDeadlineTimer>
#include <QThread>

#include <chrono>
#include <cstdio>

namespace wykazki {

namespace {

// How long the first question waits for the synthesizer, and how long
// closing the program waits for its thread.
constexpr std::chrono::seconds kAnswerTime{5};
constexpr int kClosingMs = 2000;

}  // namespace

// Everything that touches the synthesizer, in the speech thread.
class SpeechThreadWorker : public QObject {
    Q_OBJECT
public:
    SpeechEngine::Lack open()
    {
        QString problem;
        const auto entry = programmodule::entryAs<SpeechSynthesizer*()>(
            kSpeechModule, kSpeechModuleEntry, &problem);
        if (entry == nullptr) {
            // Told as no synthesizer; the reason goes to the terminal.
            std::fprintf(stderr, "wykazki: %s\n", problem.toLocal8Bit().constData());
            return SpeechEngine::Lack::Synthesizer;
        }
        synthesizer_.reset(entry());
        return synthesizer_->open([this](SpeechEngine::State state) { emit stateChanged(state); });
    }
    void say(const QString& text)
    {
        if (synthesizer_)
            synthesizer_->say(text);
    }
    void stop()
    {
        if (synthesizer_)
            synthesizer_->stop();
    }

signals:
    void stateChanged(SpeechEngine::State state);

private:
    std::unique_ptr<SpeechSynthesizer> synthesizer_;
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
