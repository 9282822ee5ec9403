#pragma once
// Help context numbers: the topic F1 opens in each window. A window sets
// its number once; F1 anywhere inside it finds the number on the way up
// through the parents. The compiled help maps each number to a topic by the
// keyword id "kontekst.<number>".

#include <QVariant>
#include <QWidget>

namespace wykazki {

namespace helpcontext {

inline constexpr int kMainWindow = 1;
inline constexpr int kPhraseEditor = 110;
inline constexpr int kTablePrint = 140;
inline constexpr int kPreview = 300;
inline constexpr int kPrintOptions = 500;
// The long-text editor has its own topic: F1 there is about the editor,
// not about the print options.
inline constexpr int kLongText = 510;
inline constexpr int kGridOptions = 600;
inline constexpr int kPerTeacherFiles = 800;

inline constexpr int kAll[] = {kMainWindow,   kPhraseEditor, kTablePrint,  kPreview,
                               kPrintOptions, kLongText,     kGridOptions, kPerTeacherFiles};

inline constexpr const char* kProperty = "helpContext";

inline void set(QWidget& window, int context)
{
    window.setProperty(kProperty, context);
}

// The number of the nearest widget up from w that has one; 0 for none.
inline int of(const QWidget* w)
{
    for (; w != nullptr; w = w->parentWidget()) {
        const QVariant context = w->property(kProperty);
        if (context.isValid())
            return context.toInt();
    }
    return 0;
}

}  // namespace helpcontext

}  // namespace wykazki
