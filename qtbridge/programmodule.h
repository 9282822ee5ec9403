#pragma once
// The parts of the program that need large libraries the first frame does
// not (the spreadsheet files over QuaZip, the help window over Qt Help,
// speech over Qt TextToSpeech, spelling over Hunspell) are modules of their
// own, libwykazki-NAME.so, opened when a teacher first uses them: loading
// those libraries at the start would delay the main window.
//
// The modules lie in WYKAZKI_MODULE_DIR, a folder named relative to the
// executable's, alike in the build and in the installed program. A module
// stays loaded until the program ends.

#include <QString>
#include <QtGlobal>

namespace wykazki {

namespace programmodule {

// Where the modules are: the folder beside the running executable.
QString folder();

// The function entry of module name ("sheets": libwykazki-sheets.so), the
// module opened on the first call; nullptr with the Polish problem when the
// module is missing, cannot be loaded or lacks entry.
QFunctionPointer entry(const char* name, const char* entry, QString* problem);

// entry() as the function type of the module's entry (the one cast made).
template <typename Function>
Function* entryAs(const char* name, const char* entryName, QString* problem)
{
    return reinterpret_cast<Function*>(entry(name, entryName, problem));
}

}  // namespace programmodule

}  // namespace wykazki
