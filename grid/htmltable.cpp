#include "grid/htmltable.h"

#include "grid/celledi.h"

#include <string>

namespace wykazki {

std::string escapeHtml(std::string_view text, HtmlContext context)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (context == HtmlContext::Attribute)
                out += "&quot;";
            else
                out += c;
            break;
        default: out += c; break;
        }
    }
    return out;
}

std::string htmlColour(TKolor kolor)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "#";
    for (const int shift : {0, 8, 16}) {  // red, green, blue
        const unsigned byte = (kolor >> shift) & 0xFF;
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
    return out;
}

void TCellEdi::TabelaHtml(std::string& cel, bool zKolorami, int odstep, bool wszystkieLinie)
{
    cel += "<table cellspacing=\"";
    cel += std::to_string(odstep);
    cel += "\"";
    cel += wszystkieLinie ? " rules=all" : " rules=none";
    cel += ">\r\n";

    // Header row and column are in the table only when the owner names
    // the columns; OnTopInfo alone decides both.
    const int first = binds(CellEdiEvent::OnTopInfo) ? 0 : 1;
    const std::string link = std::string("<a href=\"")
                             + escapeHtml(kMakerAddress, HtmlContext::Attribute) + "\">"
                             + escapeHtml(kMakerLinkText, HtmlContext::Text) + "</a>";

    for (int i = first; i <= Ily(); ++i) {
        cel += "<tr>";
        for (int j = first; j <= Ilx(); ++j) {
            TTekstOczka ato(i != 0 && j != 0 ? oczkoKolor_ : infoKolor_, defaultJust_);
            const bool linkCell = i == first && j == first;
            if (!linkCell) {
                if (i != 0 && j != 0) {
                    if (binds(CellEdiEvent::OnOczko))
                        owner_->cellText(*this, j - 1, i - 1, ato);
                } else if (j == 0) {
                    if (binds(CellEdiEvent::OnLeftInfo))
                        owner_->rowHeader(*this, i - 1, ato);
                } else if (binds(CellEdiEvent::OnTopInfo)) {
                    owner_->columnHeader(*this, j - 1, ato);
                }
            }
            const bool header = i == 0 || j == 0;
            if (zKolorami) {
                cel += header ? "<th bgcolor=" : "<td bgcolor=";
                cel += htmlColour(ato.kolor);
                cel += ">";
            } else {
                cel += header ? "<th>" : "<td>";
            }
            if (linkCell) {
                cel += link;  // the one piece of markup among the texts
            } else {
                const int parts = ato.partCount();
                for (int k = 0; k < parts; ++k) {
                    const std::string& text = ato.tekst[std::size_t(k)];
                    if (text.empty()) {
                        cel += "...";
                    } else {
                        cel += escapeHtml(text, HtmlContext::Text);
                        if (parts > 1 && k < parts - 1)
                            cel += " | ";
                    }
                }
            }
            cel += header ? "</th>" : "</td>";
        }
        cel += "</tr>\r\n";
    }
    cel += "</table>\r\n";
}

}  // namespace wykazki
