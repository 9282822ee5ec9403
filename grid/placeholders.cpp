#include "grid/placeholders.h"

#include "document/formatting.h"

void markMissing(TTekstOczka& ato)
{
    ato.tekst[0] = kKropki;
}

void markUnnamed(TTekstOczka& ato)
{
    ato.tekst[0] = kPytajniki;
    ato.kolor = 0xFFFFFF;
}
