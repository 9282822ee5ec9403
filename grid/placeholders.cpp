#include "grid/placeholders.h"

#include "document/formatting.h"

namespace wykazki {

void markMissing(TTekstOczka& ato)
{
    ato.tekst[0] = kMissingMark;
}

void markUnnamed(TTekstOczka& ato)
{
    ato.tekst[0] = kUnnamedMark;
    ato.kolor = 0xFFFFFF;
}

}  // namespace wykazki
