#include "ComparisonWindow.h"

#include "look/Labels.h"
#include "look/PictureButtons.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace tankeli {
namespace {
constexpr int margin = 12;
constexpr int spacing = 8;
constexpr QSize designedClient{620, 300};
constexpr QSize minimumOuterTwips{6600, 4500};
constexpr QSize contentMinimum{420, 220};

// The columns whose cells are amounts, which read best aligned to the right.
constexpr int firstAmountColumn = 2;

QString sourceNote(ConsumptionSource source)
{
    switch (source) {
    case ConsumptionSource::FillUps: return QStringLiteral("Kulutus on mitattu tankkauksista täydestä täyteen.");
    case ConsumptionSource::Trips: return QStringLiteral("Kulutus on tallennettujen matkojen keskikulutus.");
    case ConsumptionSource::LastCalculated: return QStringLiteral("Kulutus on viimeksi laskimessa käytetty kulutus.");
    case ConsumptionSource::None: break;
    }
    return QStringLiteral("Ajoneuvolla ei ole vielä kulutusta: laske sillä matka tai tallenna matkoja.");
}
} // namespace

void ComparisonModel::setVehicles(const QList<ComparedVehicle> &vehicles)
{
    beginResetModel();
    m_rows.clear();
    m_tooltips.clear();
    for (const ComparedVehicle &vehicle : vehicles) {
        m_rows.append(comparisonCells(vehicle));
        m_tooltips.append(vehicle.problem.isEmpty() ? sourceNote(vehicle.source) : vehicle.problem);
    }
    endResetModel();
}

int ComparisonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ComparisonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(comparisonHeader().size());
}

QVariant ComparisonModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_rows[index.row()].value(index.column());
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return m_tooltips[index.row()];
    if (role == Qt::TextAlignmentRole)
        return int(index.column() >= firstAmountColumn ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

QVariant ComparisonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return comparisonHeader().value(section);
    return section < m_rows.size() ? m_rows[section].value(0) : QVariant();
}

QString ComparisonModel::tabSeparated() const
{
    QString text = comparisonHeader().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const QStringList &row : m_rows)
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

ComparisonWindow::ComparisonWindow(const ProgramFolders &folders, QWidget *mainWindow, Compare compare)
    : SecondaryWindow(folders, mainWindow, {designedClient, minimumOuterTwips, contentMinimum})
    , m_compare(std::move(compare))
    , m_model(new ComparisonModel(this))
    , m_table(new QTableView(this))
    , m_note(makeLabel(this, {}, Qt::AlignLeft | Qt::AlignTop))
{
    setWindowTitle(QStringLiteral("Vertaa ajoneuvoja"));
    m_table->setObjectName(QStringLiteral("Vertailu"));
    m_table->setAccessibleName(QStringLiteral("Ajoneuvot halvimmasta kalleimpaan"));
    m_table->setAccessibleDescription(QStringLiteral("Ctrl+C kopioi taulukon taulukkolaskentaan."));
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_note->setObjectName(QStringLiteral("Huomautus"));
    m_note->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_note);
    layout->addSpacing(int(pictureButtonSize.height())); // where layOut() puts Sulje

    auto *copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(m_model->tabSeparated()); });
    addAction(copy);
}

Done ComparisonWindow::Form_Load()
{
    const Done made = makeButtons({QStringLiteral("Sulje")});
    if (!made)
        return made;
    connect(buttons(), &PictureButtons::clicked, this, [this] { closeCommand(); });
    buttons()->Nappi(0)->setKeyName(QStringLiteral("Esc"));
    return {};
}

void ComparisonWindow::refresh()
{
    const Outcome<QList<ComparedVehicle>> compared = m_compare();
    m_model->setVehicles(compared ? *compared : QList<ComparedVehicle>());
    m_table->setVisible(compared.ok());
    m_note->setText(compared ? QStringLiteral("Sama matka jokaisella ajoneuvolla, kunkin omilla asetuksilla ja "
                                              "kalibroinnilla. Mistä kunkin ajoneuvon kulutus on, sen kertoo rivin vihje ja ruudunlukijalle sen kuvaus.")
                             : compared.error());
    if (compared && m_model->rowCount() > 0)
        m_table->selectRow(0);
}

void ComparisonWindow::layOut()
{
    if (buttons())
        buttons()->place(0, {double(width() / 2 - int(pictureButtonSize.width()) / 2),
                             double(height() - margin - int(pictureButtonSize.height()))});
}

} // namespace tankeli
