#include "document.h"

void Document::addPhrase(std::size_t p)
{
    frazy.insert(p);
    for (TDok& pupil : dokumenty)
        pupil.wartosci.insert(p);
}

void Document::removePhrase(std::size_t p)
{
    if (p >= frazy.count())
        return;
    frazy.erase(p);
    for (TDok& pupil : dokumenty)
        pupil.wartosci.erase(p);
}

void Document::newDocument()
{
    frazy.resize(0);
    dokumenty.resize(0, 0);
}

void Document::takeOver(ClassFileContents&& read)
{
    frazy = std::move(read.frazy);
    dokumenty = std::move(read.dokumenty);
    opcje = std::move(read.opcje);
    screen = std::move(read.screen);
    ogolne.wersja = read.version;
    ogolne.zmiany = 0;
    miniEdi.forget();
}

ClassFileContents Document::contents() const
{
    ClassFileContents c;
    c.version = ogolne.wersja;
    c.frazy = frazy;
    c.dokumenty = dokumenty;
    c.opcje = opcje;
    c.screen = screen;
    return c;
}
