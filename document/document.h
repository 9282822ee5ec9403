#pragma once
// The program's one document: the five objects a class is held in, plus the
// screen layout its class file carries. Created once and refilled in place.

#include "screenlayout.h"
#include "tdokumenty.h"
#include "tfra.h"
#include "tminiedi.h"
#include "togolne.h"
#include "topcje.h"

#include <cstddef>

// Everything a class file holds, read into fresh storage first so that a
// failed read never leaves a half-read document behind.
struct ClassFileContents {
    std::int8_t version = 0;
    TFrazy frazy;
    TDokumenty dokumenty;
    TOpcje opcje;
    ScreenLayout screen;

    bool operator==(const ClassFileContents&) const = default;
};

struct Document {
    TFrazy frazy;
    TDokumenty dokumenty;
    TOpcje opcje;
    TOgolne ogolne;
    TMiniEdi miniEdi;
    ScreenLayout screen;  // as read; windows refresh it before a save

    // Insert a default record at p into the phrase list and every pupil.
    void addPhrase(std::size_t p);
    // Nothing when p >= phrase count.
    void removePhrase(std::size_t p);
    void addPupil(std::size_t p) { dokumenty.insert(p, frazy.count()); }
    bool removePupil(std::size_t p) { return dokumenty.erase(p); }
    // Empties phrases and pupils; options, flag and version stay.
    void newDocument();

    // Take over a completely read file: clears the modified flag.
    void takeOver(ClassFileContents&& read);
    // A copy of what a save writes.
    ClassFileContents contents() const;
};
