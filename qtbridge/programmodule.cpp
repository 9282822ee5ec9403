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
    const QString executable = QCoreApplication::instance() != nullptr
                                   ? QCoreApplication::applicationDirPath()
                                   : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(QDir(executable).filePath(QStringLiteral(WYKAZKI_MODULE_DIR)));
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
