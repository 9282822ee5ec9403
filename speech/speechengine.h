#pragma once
// What the grade reader needs of a speech synthesizer: say one text, stop,
// and tell when it is speaking. The program uses Qt's (qtspeechengine.h);
// tests put in their own, so they check the reader without sound.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace wykazki {

class SpeechEngine : public QObject {
    Q_OBJECT
public:
    enum class State {
        Ready,     // nothing being said
        Speaking,  // a text is being said
        Error,     // the synthesizer failed; it says nothing more
    };
    Q_ENUM(State)
    // What keeps the engine from reading Polish texts.
    enum class Lack {
        Nothing,
        Synthesizer,  // no synthesizer at all, or it cannot be reached
        PolishVoice,  // a synthesizer without a Polish voice
        NoAnswer,     // a synthesizer that does not answer
    };
    Q_ENUM(Lack)

    using QObject::QObject;

    // Asked before the first text; an engine that lacks nothing has its
    // Polish voice chosen.
    virtual Lack lack() = 0;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
    virtual State state() const = 0;

signals:
    void stateChanged(SpeechEngine::State state);
};

// Makes the engine when it is first needed; nothing counts as no synthesizer.
using SpeechEngineFactory = std::function<std::unique_ptr<SpeechEngine>()>;

}  // namespace wykazki
