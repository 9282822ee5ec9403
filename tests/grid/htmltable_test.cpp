// The HTML table a grid appends.

#include "gridfixture.h"

#include "grid/htmltable.h"

namespace wykazki {

namespace {

using HtmlTable = GridFixture;

const std::string kLink = "<a href=\"https://wykazki.example/\">Kolmo'05</a>";

TEST(HtmlEscaping, escapesMarkupCharacters)
{
    EXPECT_EQ(escapeHtml("a<b>&\"c'", HtmlContext::Text), "a&lt;b&gt;&amp;\"c'");
    EXPECT_EQ(escapeHtml("a<b>&\"c'", HtmlContext::Attribute), "a&lt;b&gt;&amp;&quot;c'");
    EXPECT_EQ(escapeHtml("\xB9\xE6", HtmlContext::Text), "\xB9\xE6");  // bytes pass through
    EXPECT_EQ(htmlColour(0x00FFFF), "#FFFF00");
    EXPECT_EQ(htmlColour(0x0A0B0C), "#0C0B0A");
}

TEST_F(HtmlTable, withoutColumnNamesStartsAtTheFirstDataCellWhichHoldsTheLink)
{
    grid().setIlx(2);
    grid().setIly(2);
    owner().OnOczko = [](TCellEdi&, int x, int y, TTekstOczka& ato) {
        ato.tekst[0] = std::to_string(x) + "/" + std::to_string(y);
    };
    std::string html = "before\r\n";
    grid().TabelaHtml(html, false, 3, true);
    EXPECT_EQ(html, "before\r\n"
                    "<table cellspacing=\"3\" rules=all>\r\n"
                    "<tr><td>"
                        + kLink
                        + "</td><td>1/0</td></tr>\r\n"
                          "<tr><td>0/1</td><td>1/1</td></tr>\r\n"
                          "</table>\r\n");
}

TEST_F(HtmlTable, withColumnNamesHasHeaderCellsAndColours)
{
    grid().setIlx(1);
    grid().setIly(1);
    owner().OnTopInfo = [](TCellEdi&, int poz, TTekstOczka& ato) {
        ato.tekst[0] = "T" + std::to_string(poz);
    };
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) {
        ato.tekst[0] = "v";
        ato.kolor = 0x0000FF;
    };
    std::string html;
    grid().TabelaHtml(html, true, 0, false);
    EXPECT_EQ(html, "<table cellspacing=\"0\" rules=none>\r\n"
                    "<tr><th bgcolor=#C0C0C0>"
                        + kLink
                        + "</th><th bgcolor=#C0C0C0>T0</th></tr>\r\n"
                          "<tr><th bgcolor=#C0C0C0>...</th><td bgcolor=#FF0000>v</td></tr>\r\n"
                          "</table>\r\n");
}

TEST_F(HtmlTable, partsAreJoinedAndEmptyPartsShowDots)
{
    grid().setIlx(4);
    grid().setIly(1);
    owner().OnOczko = [](TCellEdi&, int x, int, TTekstOczka& ato) {
        switch (x) {
        case 1:
            ato.ile = 2;
            ato.tekst[0] = "p";
            break;
        case 2:
            ato.ile = 2;
            ato.tekst[1] = "q";
            break;
        case 3:
            ato.ile = 3;
            ato.tekst = {"a", "b", "c"};
            break;
        default: break;
        }
    };
    std::string html;
    grid().TabelaHtml(html, false, 1, true);
    EXPECT_NE(html.find("<td>p | ...</td><td>...q</td><td>a | b | c</td>"), std::string::npos)
        << html;
}

TEST_F(HtmlTable, cellTextsCannotBecomeMarkup)
{
    grid().setIlx(2);
    grid().setIly(1);
    owner().OnTopInfo = [](TCellEdi&, int, TTekstOczka& ato) { ato.tekst[0] = "<script>"; };
    owner().OnLeftInfo = [](TCellEdi&, int, TTekstOczka& ato) { ato.tekst[0] = "A&B"; };
    owner().OnOczko = [](TCellEdi&, int, int, TTekstOczka& ato) { ato.tekst[0] = "x < y \"z\""; };
    std::string html;
    grid().TabelaHtml(html, false, 1, true);
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("<th>&lt;script&gt;</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("<th>A&amp;B</th>"), std::string::npos) << html;
    EXPECT_NE(html.find("<td>x &lt; y \"z\"</td>"), std::string::npos) << html;
}

}  // namespace

}  // namespace wykazki
