#include "ekolmoerror.h"

namespace wykazki {

const char* errorMessage(int code)
{
    switch (code) {
    case ErrorCode::OutOfMemory: return " Za mało pamięci w komputerze";
    case ErrorCode::ReadFailed: return " Odczyt danych z archiwum nie powiódł się";
    case ErrorCode::WriteFailed: return " Zapis danych do archiwum nie powiódł się";
    case ErrorCode::WrongVersion: return " Niewłaściwa wersja pliku z danymi";
    case ErrorCode::PrintFailed: return " Wydruk nie powiódł się";
    default: return " Nieznany błąd";
    }
}

}  // namespace wykazki
