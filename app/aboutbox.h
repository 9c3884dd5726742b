#pragma once

#include <QDialog>

// The About box: program icon, product line and two lines about the program.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
};
