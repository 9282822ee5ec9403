#pragma once
// Where the program keeps its files: the sample class, the pictures, the
// per-teacher copies, the information document and the help.
//
// Run from its build folder (or unpacked anywhere, also where the user may
// not write) the program folder is the executable's own folder; a folder
// that cannot be written stays the program folder, and the program says
// so when a class is to be saved there, never moving elsewhere unasked. Installed, the executable
// sits in a bin/ folder nobody writes into, with the program's files in
// share/wykazki/ beside it; the program folder is then the user's own
// "Wykazki" folder in their documents folder, created when missing and given
// every file of share/wykazki/ it lacks. Files already there are never
// overwritten, so the user's changes to the sample stay.

#include <QString>

#include <string>

namespace wykazki {

namespace programfolder {

// The installed program's data folder for an executable in executableFolder:
// <prefix>/share/wykazki for <prefix>/bin. Empty when there is none.
QString installedDataFolder(const QString& executableFolder);

// The program folder for an executable in executableFolder (the file
// system's bytes, which need not be UTF-8), with a trailing "/", in the same
// bytes. documentsFolder is the user's documents folder. Never fails: when
// the user's folder cannot be made, the data folder itself serves
// (read-only, so saving there says so).
std::string resolve(const std::string& executableFolder, const QString& documentsFolder);

// The running program's own folder as the file system's bytes (Qt's
// applicationDirPath cannot spell a name that is not UTF-8).
std::string executableFolder();

// resolve() for the running program: its executable's folder and the
// documents folder of the user's desktop.
std::string forRunningProgram();

// Copies every file under dataFolder that targetFolder lacks (subfolders
// kept), leaving existing files alone; the copies are writable by the user.
// Returns the number of files copied.
int seed(const QString& dataFolder, const QString& targetFolder);

}  // namespace programfolder

}  // namespace wykazki
