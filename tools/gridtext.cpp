#include "gridtext.h"

#include "document/cp1250.h"
#include "document/pupilgridtext.h"
#include "document/tabtext.h"

namespace wykazki {

namespace {

// A cell as a copy to the clipboard writes it, in UTF-8.
void appendCell(std::string& out, const std::string& cp1250Text)
{
    appendTabCell(out, cp1250::toUtf8(cp1250Text));
}

}  // namespace

std::string pupilGridAsText(const Document& doc)
{
    const int columns = pupilGridColumns(doc);
    const int rows = pupilGridRows(doc);
    // The header colour does not matter for text; no page is chosen.
    constexpr int kNoPage = -1;
    std::string out;
    for (int x = 0; x < columns; ++x) {
        out += '\t';
        appendCell(out, pupilGridColumnHeader(doc, x).text);
    }
    out += '\n';
    for (int y = 0; y < rows; ++y) {
        appendCell(out, pupilGridRowHeader(doc, y, kNoPage).text);
        for (int x = 0; x < columns; ++x) {
            out += '\t';
            appendCell(out, pupilGridCell(doc, x, y).text);
        }
        out += '\n';
    }
    return out;
}

}  // namespace wykazki
