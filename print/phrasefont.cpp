#include "phrasefont.h"

#include "units.h"

#include "document/storagelimits.h"
#include "document/tfra.h"
#include "qtbridge/colorref.h"
#include "qtbridge/cp1250text.h"

#include <cmath>

namespace wykazki {

void setFontFromPhrase(PhraseFont& target, const std::string& name, int sizePt,
                       std::uint32_t colorref, bool bold, bool italic, bool underline,
                       bool strikeout)
{
    QFont font(qstringFromCp1250(std::string_view(name).substr(0, kMaxFontNameBytes)));
    font.setPointSize(sizePt >= 1 ? sizePt : 1);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    target.font = font;
    target.color = toQColor(colorref);
}

PhraseFont fontFromPhrase(const TFra& phrase, double scale)
{
    PhraseFont result;
    setFontFromPhrase(result, phrase.fontName, applyScale(phrase.fontSize, scale), phrase.fontColor,
                      phrase.bold != 0, phrase.italic != 0, phrase.underline != 0,
                      phrase.strikeout != 0);
    return result;
}

}  // namespace wykazki
