// The help module's one entry: the help window, for the program, which
// loads Qt Help only with this module.

#include "help/helpwindow.h"

extern "C" Q_DECL_EXPORT wykazki::HelpViewer*
wykazki_make_help_viewer(const QString& collectionFile)
{
    return new wykazki::HelpWindow(collectionFile);
}
