// The reference for start-up, memory and key-to-screen: the least a Qt Widgets program can be
// that looks like the calculator, a frameless 90 x 17 window holding one right-aligned line
// edit that shows "0".
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Qt minimal"));
    window.resize(90, 17);
    QLineEdit edit(QStringLiteral("0"), &window);
    edit.setAlignment(Qt::AlignRight);
    edit.setGeometry(0, 0, 90, 17);
    window.show();
    edit.setFocus();
    return QApplication::exec();
}
