#pragma once
// A spin box of the options window: at most three characters, and of the
// typed characters only digits and backspace get through. Negative values
// are reached with the arrows.

#include <QSpinBox>

namespace wykazki {

class OptionSpinBox : public QSpinBox {
public:
    OptionSpinBox(int minimum, int maximum, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace wykazki
