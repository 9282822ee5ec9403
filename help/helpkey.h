#pragma once
// F1 in any window of the program: an application-wide filter that opens
// the help topic of the window the key was pressed in.

#include <QObject>

#include <functional>

namespace wykazki {

class HelpKey : public QObject {
    Q_OBJECT
public:
    // open gets the help context of the window (0 when it has none).
    explicit HelpKey(std::function<void(int context)> open, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> open_;
};

}  // namespace wykazki
