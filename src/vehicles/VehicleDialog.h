#pragma once
// The dialog "Ajoneuvo" of "Uusi ajoneuvo…" and "Muokkaa ajoneuvoa…": the vehicle's name
// and what it runs on. It is window-modal but never waits in a loop of its own: OK checks
// the name and keeps the dialog open with the reason when the name is refused, and only a
// name that passes is announced by chosen().

#include "calculator/Energy.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace tankeli {

class VehicleDialog : public QDialog
{
    Q_OBJECT
public:
    // Why a name cannot be given, or nullopt.
    using NameCheck = std::function<std::optional<QString>(const QString &name)>;
    VehicleDialog(QWidget *parent, const QString &name, Energy energy, NameCheck check);

signals:
    void chosen(const QString &name, tankeli::Energy energy);

protected:
    void accept() override;

private:
    NameCheck m_check;
    QLineEdit *m_name;
    QComboBox *m_energy;
};

} // namespace tankeli
