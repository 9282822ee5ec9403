#include "ekolmoerror.h"

const char* komunikatBledu(int code)
{
    switch (code) {
    case kBladPamieci: return " Za mało pamięci w komputerze";
    case kBladOdczytu: return " Odczyt danych z archiwum nie powiódł się";
    case kBladZapisu: return " Zapis danych do archiwum nie powiódł się";
    case kBladWersji: return " Niewłaściwa wersja pliku z danymi";
    case kBladWydruku: return " Wydruk nie powiódł się";
    default: return " Nieznany błąd";
    }
}
