// The smallest window program of the toolkit, in the same style: the
// yardstick for the program's start-up time and memory.
#include <QApplication>
#include <QPushButton>
#include <QStyleFactory>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QWidget w;
    w.setWindowTitle(QStringLiteral("Minimal"));
    w.setFixedSize(338, 361);
    auto* b = new QPushButton(QStringLiteral("OK"), &w);
    b->setGeometry(24, 320, 81, 25);
    w.show();
    return QApplication::exec();
}
