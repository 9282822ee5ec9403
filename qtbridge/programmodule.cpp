#include "qtbridge/programmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifndef WYKAZKI_MODULE_DIR
#define WYKAZKI_MODULE_DIR "../lib/wykazki/modules"
#endif

namespace wykazki {

namespace programmodule {

QString folder()
{
    // Found once, whichever thread asks first (the speech module is opened
    // in the speech thread, where QCoreApplication's path is not safe).
    static const QString modules = [] {
#ifdef __linux__
        const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
#else
        const QString executable = QCoreApplication::applicationDirPath();
#endif
        return QDir::cleanPath(QDir(executable).filePath(QStringLiteral(WYKAZKI_MODULE_DIR)));
    }();
    return modules;
}

QFunctionPointer entry(const char* name, const char* entry, QString* problem)
{
    const QString module = QStringLiteral("wykazki-%1").arg(QLatin1String(name));
    QLibrary library(QDir(folder()).filePath(module));
    if (!library.load()) {
        *problem = QStringLiteral("Nie można wczytać części programu %1 z folderu %2 (%3). "
                                  "Zainstaluj program ponownie.")
                       .arg(module, QDir::toNativeSeparators(folder()), library.errorString());
        return nullptr;
    }
    // Never unloaded: what it made may live as long as the program.
    const QFunctionPointer function = library.resolve(entry);
    if (function == nullptr)
        *problem = QStringLiteral("Część programu %1 jest niezgodna z programem (brak %2). "
                                  "Zainstaluj program ponownie.")
                       .arg(module, QLatin1String(entry));
    else
        problem->clear();
    return function;
}

}  // namespace programmodule

}  // namespace wykazki
