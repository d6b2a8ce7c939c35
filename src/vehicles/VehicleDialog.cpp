#include "VehicleDialog.h"

#include "look/Messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace tankeli {

VehicleDialog::VehicleDialog(QWidget *parent, const QString &name, Energy energy, NameCheck check)
    : QDialog(parent)
    , m_check(std::move(check))
    , m_name(new QLineEdit(name, this))
    , m_energy(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Ajoneuvo"));
    setWindowModality(Qt::WindowModal);
    m_name->setObjectName(QStringLiteral("Nimi"));
    m_name->setAccessibleName(QStringLiteral("Nimi"));
    m_name->selectAll();
    m_energy->setObjectName(QStringLiteral("Kayttovoima"));
    m_energy->setAccessibleName(QStringLiteral("Käyttövoima"));
    for (const Energy each : allEnergies)
        m_energy->addItem(energyName(each), QVariant::fromValue(int(each)));
    m_energy->setCurrentIndex(m_energy->findData(int(energy)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Peruuta"));
    connect(buttons, &QDialogButtonBox::accepted, this, &VehicleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VehicleDialog::reject);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Nimi"), m_name);
    form->addRow(QStringLiteral("&Käyttövoima"), m_energy);
    form->addRow(buttons);
    setAttribute(Qt::WA_DeleteOnClose);
}

void VehicleDialog::accept()
{
    if (const auto problem = m_check(m_name->text())) {
        Messages::current().inform(this, *problem, windowTitle(), Messages::Icon::None);
        m_name->setFocus();
        m_name->selectAll();
        return;
    }
    emit chosen(m_name->text(), Energy(m_energy->currentData().toInt()));
    QDialog::accept();
}

} // namespace tankeli
