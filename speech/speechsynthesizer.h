#pragma once
// The synthesizer behind QtSpeechEngine: Qt's QTextToSpeech, in the speech
// module, which the program opens (with Qt TextToSpeech) when a teacher
// first has grades read aloud. Every call comes from the speech thread.

#include "speech/speechengine.h"

#include <QString>

#include <functional>

namespace wykazki {

class SpeechSynthesizer {
public:
    virtual ~SpeechSynthesizer() = default;

    // Opens the synthesizer with a Polish voice; stateChanged gets each
    // state it goes into from then on.
    virtual SpeechEngine::Lack open(std::function<void(SpeechEngine::State)> stateChanged) = 0;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
};

// The module's name and its one entry:
// extern "C" SpeechSynthesizer* wykazki_make_speech_synthesizer().
inline constexpr char kSpeechModule[] = "speech";
inline constexpr char kSpeechModuleEntry[] = "wykazki_make_speech_synthesizer";

}  // namespace wykazki
