#include "windowtestclass.h"

#include "document/cp1250.h"

#include <stdexcept>

std::string cp1250Of(const char* utf8)
{
    auto bytes = cp1250::fromUtf8(utf8);
    if (!bytes)
        throw std::invalid_argument("not Windows-1250 text");
    return *bytes;
}

namespace {

TFra textPhrase(int x0, float y0, int page)
{
    TFra f;
    f.kind = kRodzajTekst;
    f.x0 = static_cast<std::int16_t>(x0);
    f.y0 = y0;
    f.page = static_cast<std::int16_t>(page);
    f.fontName = "DejaVu Sans";
    f.fontSize = 14;
    return f;
}

}  // namespace

Document WindowTestClass::make(const std::vector<const char*>& names)
{
    Document doc;
    doc.addPhrase(0);
    doc.frazy[kNamePhrase] = textPhrase(20, 30.0f, 0);
    doc.addPhrase(1);
    doc.frazy[kThirdPagePhrase] = textPhrase(20, 60.0f, 2);
    for (std::size_t i = 0; i < names.size(); ++i) {
        doc.addPupil(i);
        doc.dokumenty.value(i, kNamePhrase).text = cp1250Of(names[i]);
        doc.dokumenty.value(i, kThirdPagePhrase).text = "STRONA TRZECIA";
    }
    return doc;
}

std::size_t WindowTestClass::addPicture(Document& doc, const std::string& picture)
{
    const std::size_t j = doc.frazy.count();
    doc.addPhrase(j);
    TFra& f = doc.frazy[j];
    f.kind = kRodzajObrazek;
    f.x0 = 100;
    f.y0 = 80.0f;
    f.width = 20;
    f.height = 20;
    f.picture = picture;
    return j;
}
