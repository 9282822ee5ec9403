# Precompiled headers. Most of a Qt source's compile time goes into Qt's
# headers (half of it for a window), so each target with many sources
# compiles the headers they include most once. A target gets only the
# headers of what it links: widgets where it links Qt6::Widgets, QTest and
# GoogleTest in tests. clang-tidy reads the sources without them
# (scripts/check-style.sh), so a source still has to include what it uses.
option(WYKAZKI_PCH "Precompile the Qt headers of the larger targets" ON)

# wykazki_precompile(target...): targets that do not exist are skipped.
function(wykazki_precompile)
    if(NOT WYKAZKI_PCH)
        return()
    endif()
    foreach(target IN LISTS ARGN)
        if(NOT TARGET ${target})
            continue()  # a test target of a build without tests
        endif()
        wykazki_links_of(${target} links MATCHING ".")  # cmake/includerule.cmake
        set(headers <algorithm> <functional> <memory> <string> <vector>)
        if(Qt6::Core IN_LIST links)
            list(APPEND headers <QByteArray> <QDir> <QFile> <QFileInfo> <QList> <QObject>
                 <QString> <QStringList> <QTemporaryDir> <QTimer>)
        endif()
        if(Qt6::Gui IN_LIST links)
            list(APPEND headers <QAction> <QColor> <QFont> <QFontMetrics> <QGuiApplication>
                 <QImage> <QKeyEvent> <QPainter> <QTextDocument>)
        endif()
        if(Qt6::Widgets IN_LIST links)
            list(APPEND headers <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QDialog>
                 <QLabel> <QLineEdit> <QPushButton> <QSpinBox> <QToolButton> <QWidget>)
        endif()
        if(Qt6::Test IN_LIST links)
            list(APPEND headers <QTest>)
        endif()
        if(GTest::gtest IN_LIST links)
            list(APPEND headers <gtest/gtest.h>)
        endif()
        target_precompile_headers(${target} PRIVATE ${headers})
    endforeach()
endfunction()
