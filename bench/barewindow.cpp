// The floor of the start-up figures: the least a Qt Widgets program needs to
// show a window like the editor's main window (442x80 client area, menu
// bar, nine-button toolbar with 40x40 images, status bar), quitting at its
// first paint as `korvalisedit --exit-after-first-paint` does. It uses the
// same embedded toolbar images, since any such window has to decode them.

#include "quitafterfirstpaint.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(u"Bare window"_s);

    QMenuBar *menu = window.menuBar();
    QMenu *file = menu->addMenu(u"&File"_s);
    menu->addMenu(u"&Options"_s);
    menu->addMenu(u"&Help"_s);

    auto *toolBar = new QToolBar(&window);
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(40, 40));
    window.addToolBar(Qt::TopToolBarArea, toolBar);
    for (const QString &image : {u"amo"_s, u"esca"_s, u"galleggiante"_s, u"luogo"_s, u"pastura"_s,
                                 u"prespesci"_s, u"piombino"_s, u"canna"_s, u"mulinello"_s}) {
        const QIcon icon(u":/icons/toolbar/"_s + image + u".png"_s);
        auto *button = new QToolButton(toolBar);
        button->setIcon(icon);
        button->setIconSize(QSize(40, 40));
        button->setAutoRaise(true);
        toolBar->addWidget(button);
        file->addAction(icon, image);
    }
    window.statusBar();

    window.setFixedSize(442, menu->sizeHint().height() + 80);
    window.installEventFilter(new QuitAfterFirstPaint(&window));
    window.show();
    return app.exec();
}
