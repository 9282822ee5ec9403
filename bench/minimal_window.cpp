// The yardstick of the program's start: a bare Qt Widgets window showing a
// 30 × 30 table. With WYKAZKI_START_TRACE it prints the wall-clock times of
// the same steps as the program (main, application, shown, first frame) and
// quits after the first frame.

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

void step(const char* what)
{
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::fprintf(stderr, "start %lld %s\n", static_cast<long long>(now), what);
}

class Window : public QMainWindow {
protected:
    void paintEvent(QPaintEvent* event) override
    {
        QMainWindow::paintEvent(event);
        if (painted_)
            return;
        painted_ = true;
        step("first frame");
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

private:
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    step("main");
    QApplication app(argc, argv);
    step("application");
    Window window;
    auto* table = new QTableWidget(30, 30, &window);
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 30; ++c)
            table->setItem(r, c, new QTableWidgetItem(QString::number(r * 30 + c)));
    window.setCentralWidget(table);
    window.resize(800, 600);
    window.show();
    step("shown");
    return app.exec();
}
