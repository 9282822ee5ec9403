#include "windowtestclass.h"

#include "document/cp1250.h"

#include <stdexcept>

namespace wykazki {

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
    f.kind = PhraseKind::Text;
    f.x0 = static_cast<std::int16_t>(x0);
    f.y0 = y0;
    f.page = static_cast<std::int16_t>(page);
    f.fontName = "DejaVu Sans";
    f.fontSize = 14;
    return f;
}

}  // namespace

void editContents(Document& doc, const std::function<void(ClassFileContents&)>& edit)
{
    ClassFileContents contents = doc.contents();
    edit(contents);
    doc.takeOver(std::move(contents));
}

Document WindowTestClass::make(const std::vector<const char*>& names)
{
    ClassFileContents c;
    c.phrases.push_back(textPhrase(20, 30.0f, 0));  // kNamePhrase
    c.phrases.push_back(textPhrase(20, 60.0f, 2));  // kThirdPagePhrase
    for (std::size_t i = 0; i < names.size(); ++i) {
        c.pupils.insert(i, c.phrases.count());
        c.pupils.value(i, kNamePhrase).text = cp1250Of(names[i]);
        c.pupils.value(i, kThirdPagePhrase).text = "STRONA TRZECIA";
    }
    Document doc;
    doc.takeOver(std::move(c));
    return doc;
}

std::size_t WindowTestClass::addPicture(Document& doc, const std::string& picture)
{
    const std::size_t j = doc.phrases().count();
    doc.addPhrase(j);
    TFra f;
    f.kind = PhraseKind::Picture;
    f.x0 = 100;
    f.y0 = 80.0f;
    f.width = 20;
    f.height = 20;
    f.picture = picture;
    doc.setPhrase(j, std::move(f));
    return j;
}

}  // namespace wykazki
