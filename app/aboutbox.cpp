#include "aboutbox.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"About"_s);
    QFont f(u"MS Sans Serif"_s);
    f.setPointSize(8);
    setFont(f);
    setFixedSize(329, 119);
    move(299, 119);

    auto *panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(8, 8, 313, 73);

    auto *icon = new QLabel(panel);
    icon->setObjectName(u"ProgramIcon"_s);
    icon->setPixmap(QPixmap(u":/icons/korvalisedit-32.png"_s));
    icon->setGeometry(8, 8, 32, 32);

    auto *product = new QLabel(u"Korvalis Editor 1.3"_s, panel);
    product->setObjectName(u"ProductName"_s);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    product->setGeometry(56, 8, 249, 16);

    auto *line2 = new QLabel(u"Editor dei file di Korvalis"_s, panel);
    line2->setObjectName(u"Version"_s);
    line2->setGeometry(56, 28, 249, 16);

    auto *line3 = new QLabel(u"Qt "_s + QString::fromLatin1(qVersion()), panel);
    line3->setObjectName(u"Copyright"_s);
    line3->setGeometry(56, 48, 249, 16);

    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"OKButton"_s);
    ok->setDefault(true);
    ok->setGeometry(127, 88, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
