// The spreadsheet module's one entry: the readers and the writer, for the
// program, which loads QuaZip only with this module.

#include "sheets/sheetformat.h"
#include "sheets/sheetreader.h"
#include "sheets/sheetwriter.h"

extern "C" Q_DECL_EXPORT const wykazki::SheetFunctions* wykazki_sheet_functions()
{
    static const wykazki::SheetFunctions functions{&wykazki::sheetNames, &wykazki::readSheet,
                                                   &wykazki::writeSheet};
    return &functions;
}
