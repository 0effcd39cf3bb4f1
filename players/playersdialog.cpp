#include "players/playersdialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

PlayersDialog::PlayersDialog(const SavedPlayers &saved, const QString &path, Rename rename,
                             Remove remove, QWidget *parent)
    : QDialog(parent)
    , m_saved(saved)
    , m_rename(std::move(rename))
    , m_remove(std::move(remove))
    , m_table(new QTableWidget(this))
{
    setWindowTitle(tr("Players"));
    auto *layout = new QVBoxLayout(this);
    auto *where = new QLabel(tr("Saved in %1").arg(path), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(where);
    // Left out, but kept in the file until mended by hand.
    if (!saved.problems.isEmpty()) {
        auto *damaged = new QLabel(tr("Lines left out as damaged:") + QLatin1Char('\n') +
                                       saved.problems.join(QLatin1Char('\n')),
                                   this);
        damaged->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(damaged);
    }
    m_table->setColumnCount(4);
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Model"), tr("Address"), tr("ID")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAccessibleName(tr("Players"));
    layout->addWidget(m_table);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_choose = buttons->addButton(tr("&Choose"), QDialogButtonBox::AcceptRole);
    m_choose->setToolTip(tr("Make this player the window's model, link and ID"));
    m_renameButton = buttons->addButton(tr("&Rename..."), QDialogButtonBox::ActionRole);
    m_removeButton = buttons->addButton(tr("Re&move"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_choose, &QPushButton::clicked, this, [this] {
        m_chosen = selectedRow();
        accept();
    });
    connect(m_table, &QTableWidget::cellActivated, m_choose, &QPushButton::click);
    connect(m_renameButton, &QPushButton::clicked, this, [this] {
        const int row = selectedRow();
        if (m_rename(row)) {
            fill();
            m_table->selectRow(row);
        }
    });
    connect(m_removeButton, &QPushButton::clicked, this, [this] {
        const int row = selectedRow();
        if (m_remove(row)) {
            fill();
            m_table->selectRow(qMin(row, m_table->rowCount() - 1));
        }
    });
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &PlayersDialog::showState);
    fill();
    m_table->selectRow(0);
    showState();
    resize(560, 320);
}

void PlayersDialog::fill()
{
    m_table->setRowCount(m_saved.players.size());
    for (int row = 0; row < m_saved.players.size(); ++row) {
        const SavedPlayer &player = m_saved.players.at(row);
        const QString cells[] = {player.name, player.model, player.address,
                                 player.id ? QString::number(*player.id) : QString()};
        for (int column = 0; column < 4; ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_table->resizeColumnsToContents();
    showState();
}

int PlayersDialog::selectedRow() const
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

void PlayersDialog::showState()
{
    const bool any = selectedRow() >= 0;
    for (QPushButton *button : {m_choose, m_renameButton, m_removeButton})
        button->setEnabled(any);
}
