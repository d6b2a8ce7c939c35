#pragma once
// The main window: the trip fields, the commands and the menus.

#include <QMainWindow>

namespace tankeli {

class Tankeli : public QMainWindow
{
    Q_OBJECT
public:
    explicit Tankeli(QWidget *parent = nullptr);
};

} // namespace tankeli
