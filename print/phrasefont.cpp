#include "phrasefont.h"

#include "documenttext.h"
#include "units.h"

#include "document/tfra.h"

#include <cmath>

QColor colorFromColorref(std::uint32_t colorref)
{
    return QColor(int(colorref & 0xFF), int((colorref >> 8) & 0xFF), int((colorref >> 16) & 0xFF));
}

std::uint32_t colorrefFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) | (std::uint32_t(rgb.blue()) << 16);
}

void setFontFromPhrase(PhraseFont& target, const std::string& name, int sizePt, std::uint32_t colorref,
                       bool bold, bool italic, bool underline, bool strikeout)
{
    QFont font(toQString(std::string_view(name).substr(0, kNajdluzszaNazwaCzcionki)));
    font.setPointSize(sizePt >= 1 ? sizePt : 1);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    target.font = font;
    target.color = colorFromColorref(colorref);
}

PhraseFont fontFromPhrase(const TFra& phrase, double scale)
{
    PhraseFont result;
    setFontFromPhrase(result, phrase.fontName, applyScale(phrase.fontSize, scale), phrase.fontColor,
                      phrase.bold != 0, phrase.italic != 0, phrase.underline != 0, phrase.strikeout != 0);
    return result;
}

void readFontIntoPhrase(const QFont& font, const QColor& color, TFra& phrase)
{
    phrase.fontName = toCp1250(font.family());
    phrase.fontSize = font.pointSize() > 0 ? font.pointSize() : static_cast<int>(std::lround(font.pointSizeF()));
    phrase.fontColor = colorrefFromColor(color);
    phrase.bold = font.bold() ? 1 : 0;
    phrase.italic = font.italic() ? 1 : 0;
    phrase.underline = font.underline() ? 1 : 0;
    phrase.strikeout = font.strikeOut() ? 1 : 0;
}
