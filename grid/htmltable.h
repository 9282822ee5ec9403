#pragma once
// Pieces of the HTML table a grid appends (TCellEdi::TabelaHtml).

#include "grid/tekstoczka.h"

#include <string>
#include <string_view>

namespace wykazki {

// The page the link in the table's first cell leads to.
inline constexpr const char* kMakerAddress = "https://wykazki.example/";
inline constexpr const char* kMakerLinkText = "Kolmo'05";

enum class HtmlContext {
    Text,       // element content: &, < and > escaped
    Attribute,  // a double-quoted attribute value: the double quote too
};

// Cell texts are escaped: a text holding '<' or '&' must show as written
// and must never become markup of the table.
std::string escapeHtml(std::string_view text, HtmlContext context);

// "#RRGGBB" with upper-case hexadecimal digits.
std::string htmlColour(TKolor kolor);

}  // namespace wykazki
