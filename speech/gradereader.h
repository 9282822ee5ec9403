#pragma once
// Reads sentences aloud one after another (a pupil's grades, from
// gradeSentences()), each said once the previous one has finished.

#include "speech/speechengine.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <memory>

namespace wykazki {

class GradeReader : public QObject {
    Q_OBJECT
public:
    // Speaks through Qt's synthesizer.
    explicit GradeReader(QObject* parent = nullptr);
    // Speaks through the engines makeEngine makes (tests).
    explicit GradeReader(SpeechEngineFactory makeEngine, QObject* parent = nullptr);
    ~GradeReader() override;

    // Whether reading can work; when not, why holds the Polish reason the
    // user sees ("Czytanie ocen niedostępne: brak polskiego głosu"). The
    // first call (of this or read()) makes the engine.
    bool available(QString* why = nullptr);
    // Says the sentences in order, blank ones left out; a reading under way
    // is dropped for the new one (without finished()). Nothing happens
    // when reading is not available or nothing is left to say.
    void read(const QStringList& sentences);
    // Ends the reading now, mid-sentence.
    void stop();
    bool reading() const { return reading_; }
    // A sentence not said to its end within this time and 100 ms per
    // character ends the reading: a synthesizer that takes texts but
    // cannot play them (no sound device) never reports their end. 10 s
    // unless a test shortens it.
    void setTimeLimit(std::chrono::milliseconds perSentence);

signals:
    // The reading has ended: the last sentence said, stop(), the
    // synthesizer failed or a sentence ran over its time.
    void finished();

private:
    SpeechEngine* engine();
    void engineStateChanged(SpeechEngine::State state);
    void sayNext();
    void finish();
    void overTime();

    SpeechEngineFactory makeEngine_;
    std::unique_ptr<SpeechEngine> engine_;
    bool engineMade_ = false;
    QStringList queue_;  // the sentences not yet begun
    bool reading_ = false;
    // The engine has begun the sentence last given: the next Ready ends
    // it, while a Ready left over from before does not.
    bool begun_ = false;
    QTimer sentenceWatch_;  // runs while a sentence is being said
    std::chrono::milliseconds perSentence_{10'000};
    bool saying_ = false;    // within the engine's say()
    bool sayAgain_ = false;  // the sentence given ended within say()
};

}  // namespace wykazki
