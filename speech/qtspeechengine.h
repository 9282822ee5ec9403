#pragma once
// The speech engine over Qt's QTextToSpeech: on Linux the speech-dispatcher
// plugin, which speaks through espeak-ng. The synthesizer comes from the
// speech module (speechsynthesizer.h), opened with the engine.

#include "speech/speechengine.h"

#include <future>
#include <memory>

class QThread;

namespace wykazki {

class SpeechThreadWorker;

class QtSpeechEngine : public SpeechEngine {
    Q_OBJECT
public:
    // The synthesizer lives in a thread of its own: speech-dispatcher, which
    // its plugin connects to (starting it when it is not running), can take
    // long to answer or never answer, and the windows must not wait for it.
    QtSpeechEngine();
    ~QtSpeechEngine() override;

    // The first call waits a few seconds at most for the synthesizer;
    // without an answer by then it is NoAnswer until one comes.
    Lack lack() override;
    void say(const QString& text) override;
    void stop() override;
    State state() const override { return state_; }

private:
    std::unique_ptr<QThread> thread_;
    SpeechThreadWorker* worker_ = nullptr;  // deleted in its own thread
    std::future<Lack> opening_;             // the synthesizer's first answer
    bool waited_ = false;
    Lack lack_ = Lack::NoAnswer;
    State state_ = State::Ready;
};

std::unique_ptr<SpeechEngine> makeQtSpeechEngine();

}  // namespace wykazki
