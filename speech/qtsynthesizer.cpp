// The speech module: the synthesizer over Qt's QTextToSpeech (on Linux
// the speech-dispatcher plugin, which speaks through espeak-ng).

#include "speech/speechsynthesizer.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

#include <algorithm>
#include <memory>

namespace wykazki {

namespace {

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

class QtSynthesizer : public SpeechSynthesizer {
public:
    SpeechEngine::Lack open(std::function<void(SpeechEngine::State)> stateChanged) override
    {
        if (QTextToSpeech::availableEngines().isEmpty())
            return SpeechEngine::Lack::Synthesizer;
        speech_ = std::make_unique<QTextToSpeech>();
        QObject::connect(speech_.get(), &QTextToSpeech::stateChanged, speech_.get(),
                         [stateChanged = std::move(stateChanged)](QTextToSpeech::State state) {
                             stateChanged(stateOf(state));
                         });
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
    void say(const QString& text) override
    {
        if (speech_)
            speech_->say(text);
    }
    void stop() override
    {
        if (speech_)
            speech_->stop();
    }

private:
    std::unique_ptr<QTextToSpeech> speech_;
};

}  // namespace

}  // namespace wykazki

extern "C" Q_DECL_EXPORT wykazki::SpeechSynthesizer* wykazki_make_speech_synthesizer()
{
    return new wykazki::QtSynthesizer;
}
