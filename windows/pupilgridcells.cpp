#include "pupilgridcells.h"

#include "document/pupilgridtext.h"

namespace {

ShownCell shown(PupilGridText&& t)
{
    return {std::move(t.text), t.color};
}

}  // namespace

ShownCell shownColumnHeader(const Document& doc, int x)
{
    return shown(pupilGridColumnHeader(doc, x));
}

ShownCell shownRowHeader(const Document& doc, int y, int chosenPage)
{
    return shown(pupilGridRowHeader(doc, y, chosenPage));
}

ShownCell shownCell(const Document& doc, int x, int y)
{
    return shown(pupilGridCell(doc, x, y));
}
