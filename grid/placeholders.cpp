#include "grid/placeholders.h"

#include "document/formatting.h"

void wypelnijKropki(TTekstOczka& ato)
{
    ato.tekst[0] = kKropki;
}

void wypelnijPytajniki(TTekstOczka& ato)
{
    ato.tekst[0] = kPytajniki;
    ato.kolor = 0xFFFFFF;
}
