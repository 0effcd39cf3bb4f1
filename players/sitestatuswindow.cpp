#include "players/sitestatuswindow.h"
#include "sender/commandnames.h"

#include <QCheckBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <map>
#include <numeric>

namespace {

// What a row's link failed with, on one line: its reason, without the box's title.
QString reasonOf(const QString &error)
{
    return error.section(QLatin1Char('\n'), -1);
}

} // namespace

SiteStatusWindow::SiteStatusWindow(const QVector<SavedPlayer> &players,
                                   const ConsoleEnvironment &environment, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_environment(environment)
    , m_table(new QTableWidget(this))
    , m_checkButton(new QPushButton(tr("Check &Now"), this))
    , m_every(new QCheckBox(tr("&Every"), this))
    , m_seconds(new QSpinBox(this))
    , m_progress(new QLabel(this))
    , m_command(new QLineEdit(this))
    , m_sendButton(new QPushButton(tr("&Send to Selected"), this))
    , m_sequenceButton(new QPushButton(tr("Run Se&quence on Selected..."), this))
{
    setWindowTitle(tr("Site Status"));
    setAttribute(Qt::WA_DeleteOnClose);
    QStringList usages;
    for (const SavedPlayer &player : players) {
        const auto link = playerLink(player, environment.catalogue);
        if (!link)
            continue;
        m_rows.push_back({player, *link});
        for (const QString &usage : commandUsages(environment.catalogue.at(link->modelIndex))) {
            if (!usages.contains(usage))
                usages.append(usage);
        }
    }

    m_seconds->setRange(2, 3600);
    m_seconds->setValue(10);
    m_seconds->setSuffix(tr(" s"));
    m_seconds->setAccessibleName(tr("Check every"));
    auto *top = new QHBoxLayout;
    top->addWidget(m_checkButton);
    top->addWidget(m_every);
    top->addWidget(m_seconds);
    top->addWidget(m_progress, 1);

    m_table->setColumnCount(ColumnCount);
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Model"), tr("Address"), tr("State"),
                                        tr("Round trip (ms)"), tr("Answer"), tr("Result")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setAccessibleName(tr("Players"));
    m_table->setRowCount(int(m_rows.size()));
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const SavedPlayer &player = m_rows[std::size_t(row)].player;
        setCell(row, NameColumn, player.name);
        setCell(row, ModelColumn, player.model);
        setCell(row, AddressColumn, player.address);
        setCell(
            row, StateColumn,
            QCoreApplication::translate("PlayerState", playerStateText(PlayerState::NotChecked)));
    }
    // Sized once for the names; the answer takes what is left. Fitting the columns to every
    // answer would measure every row at each one.
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(AnswerColumn, QHeaderView::Stretch);
    m_table->setColumnWidth(ResultColumn, 180);

    auto *commandLabel = new QLabel(tr("&Command:"), this);
    commandLabel->setBuddy(m_command);
    m_command->setPlaceholderText(tr("Play, Volume 40, Player Status"));
    m_command->setCompleter(new QCompleter(usages, m_command));
    m_command->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(commandLabel);
    bottom->addWidget(m_command, 1);
    bottom->addWidget(m_sendButton);
    bottom->addWidget(m_sequenceButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table);
    layout->addLayout(bottom);

    connect(m_checkButton, &QPushButton::clicked, this, &SiteStatusWindow::check);
    connect(m_every, &QCheckBox::toggled, this, [this](bool every) {
        if (every)
            m_refresh.start(m_seconds->value() * 1000);
        else
            m_refresh.stop();
    });
    connect(m_seconds, qOverload<int>(&QSpinBox::valueChanged), this, [this](int seconds) {
        if (m_refresh.isActive())
            m_refresh.start(seconds * 1000);
    });
    // A refresh that comes while commands are being sent waits for the next.
    connect(&m_refresh, &QTimer::timeout, this, [this] {
        if (!m_run)
            check();
    });
    connect(m_sendButton, &QPushButton::clicked, this, [this] { sendCommand(m_command->text()); });
    connect(m_command, &QLineEdit::returnPressed, m_sendButton, &QPushButton::click);
    connect(m_sequenceButton, &QPushButton::clicked, this, [this] {
        const QString path =
            m_environment.chooseOpenPath(this, tr("Run Sequence on Selected"), QString());
        if (!path.isEmpty())
            runSequence(path);
    });
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &SiteStatusWindow::showState);
    connect(m_command, &QLineEdit::textChanged, this, &SiteStatusWindow::showState);
    showState();
    resize(1040, 420);
}

SiteStatusWindow::~SiteStatusWindow() = default;

void SiteStatusWindow::check()
{
    if (m_run)
        return;
    std::vector<int> rows(m_rows.size());
    std::iota(rows.begin(), rows.end(), 0);
    std::map<std::pair<int, int>, std::shared_ptr<const PlayerWork>> works;
    auto run = std::make_unique<PlayerRun>(m_environment.checkAnswerWaitMs, siteLinksAtOnce);
    run->setConnectTimeoutMs(m_environment.checkConnectTimeoutMs);
    start(
        std::move(run), rows,
        [this, &works](const Row &row, QString &) {
            auto &work = works[{row.link.modelIndex, row.link.idByte}];
            if (!work) {
                auto check = std::make_shared<PlayerWork>();
                check->kind = PlayerWork::Kind::Check;
                const PlayerModel &model = m_environment.catalogue.at(row.link.modelIndex);
                if (const auto request = statusRequest(model, row.link.idByte)) {
                    check->frame = request->bytes;
                    check->name = request->name;
                }
                work = check;
            }
            return work;
        },
        true);
}

void SiteStatusWindow::sendCommand(const QString &typed)
{
    if (m_run || typed.trimmed().isEmpty())
        return;
    auto run = std::make_unique<PlayerRun>(m_environment.checkAnswerWaitMs, siteLinksAtOnce);
    start(
        std::move(run), selectedRows(),
        [this, &typed](const Row &row, QString &error) -> std::shared_ptr<const PlayerWork> {
            const PlayerModel &model = m_environment.catalogue.at(row.link.modelIndex);
            const ResolvedCommand resolved = resolveCommand(model, typed);
            if (!resolved.control) {
                error = resolved.error;
                return nullptr;
            }
            Control control = *resolved.control;
            control.clock = m_environment.clock();
            const auto frame = outgoingFrame(model, row.link.idByte, control);
            if (!frame) {
                error = tr("%1 has nothing to send for this command").arg(model.name);
                return nullptr;
            }
            auto work = std::make_shared<PlayerWork>();
            work->frame = frame->bytes;
            work->name = frame->name;
            return work;
        },
        false);
}

// The file is read once; its steps are checked for each row's model before anything is sent.
void SiteStatusWindow::runSequence(const QString &path)
{
    if (m_run)
        return;
    const auto [content, fileError] = readTextFile(path, tr("a sequence file"));
    auto run = std::make_unique<PlayerRun>(m_environment.answerTimeoutMs, siteLinksAtOnce);
    const ConsoleEnvironment &environment = m_environment;
    start(
        std::move(run), selectedRows(),
        [&, fileError = fileError,
         content = content](const Row &row, QString &error) -> std::shared_ptr<const PlayerWork> {
            const PlayerModel &model = environment.catalogue.at(row.link.modelIndex);
            Sequence sequence =
                fileError.isEmpty() ? readSequence(content, model) : Sequence{{}, fileError};
            if (!sequence.error.isEmpty()) {
                error = sequence.error;
                return nullptr;
            }
            auto work = std::make_shared<PlayerWork>();
            work->kind = PlayerWork::Kind::Sequence;
            work->steps = std::move(sequence.steps);
            const quint8 idByte = row.link.idByte;
            work->frameOf = [&environment, &model, idByte](const SequenceStep &step) {
                Control control = step.control;
                control.clock = environment.clock();
                return outgoingFrame(model, idByte, control).value().bytes;
            };
            return work;
        },
        false);
}

void SiteStatusWindow::start(std::unique_ptr<PlayerRun> run, const std::vector<int> &rows,
                             const WorkOf &workOf, bool isCheck)
{
    m_runRows.clear();
    for (const int row : rows) {
        QString error;
        const auto work = workOf(m_rows[std::size_t(row)], error);
        if (!work) {
            setCell(row, ResultColumn, tr("not sent: %1").arg(error));
            continue;
        }
        PlayerResult result;
        result.address = m_rows[std::size_t(row)].player.name;
        run->addPlayer(m_rows[std::size_t(row)].link.target, result, work);
        m_runRows.push_back(row);
        if (!isCheck)
            setCell(row, ResultColumn, tr("sending..."));
    }
    if (m_runRows.empty())
        return;
    m_checking = isCheck;
    m_finished = 0;
    m_succeeded = 0;
    m_run = std::move(run);
    connect(m_run.get(), &PlayerRun::playerFinished, this, [this](int index) {
        ++m_finished;
        const int row = m_runRows[std::size_t(index)];
        const PlayerResult &result = m_run->result(index);
        m_succeeded += m_checking ? result.state == PlayerState::Answers : result.sent;
        if (m_checking)
            showCheck(row, result);
        else
            showResult(row, result);
        showState();
    });
    // Not from inside the run's own signal.
    connect(m_run.get(), &PlayerRun::finished, this, [this] {
        m_run.release()->deleteLater();
        const QString time = m_environment.sessionClock().toString(QStringLiteral("HH:mm:ss"));
        m_progress->setText(
            (m_checking ? tr("Checked at %1: %2 of %3 answer") : tr("Sent at %1: %2 of %3 done"))
                .arg(time)
                .arg(m_succeeded)
                .arg(m_runRows.size()));
        showState();
        emit finished();
    });
    m_run->start();
    showState();
}

void SiteStatusWindow::showCheck(int row, const PlayerResult &result)
{
    setCell(row, StateColumn,
            QCoreApplication::translate("PlayerState", playerStateText(result.state)));
    QTableWidgetItem *state = m_table->item(row, StateColumn);
    state->setToolTip(reasonOf(result.error));
    // The word says it; the colour lets a long list be read at a glance.
    state->setForeground(result.state == PlayerState::Answers ? palette().text()
                                                              : QBrush(Qt::darkRed));
    setCell(row, RoundTripColumn,
            result.roundTripMs < 0 ? QString() : QString::number(result.roundTripMs));
    const bool linkOpens = result.state == PlayerState::Answers && result.answer.isEmpty();
    setCell(row, AnswerColumn, linkOpens ? tr("link opens") : firstAnswerLine(result.answer));
}

void SiteStatusWindow::showResult(int row, const PlayerResult &result)
{
    QString text = !result.verdict.isEmpty() ? result.verdict
                   : result.sent             ? tr("sent")
                                             : tr("not sent: %1").arg(reasonOf(result.error));
    if (!result.answer.isEmpty())
        text += tr("; answered: %1").arg(firstAnswerLine(result.answer));
    setCell(row, ResultColumn, text);
}

void SiteStatusWindow::setCell(int row, Column column, const QString &text)
{
    QTableWidgetItem *item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        m_table->setItem(row, column, item);
    }
    item->setText(text);
    // What a narrow column cuts short.
    if (column == AnswerColumn || column == ResultColumn)
        item->setToolTip(text);
}

std::vector<int> SiteStatusWindow::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void SiteStatusWindow::showState()
{
    const bool idle = !m_run;
    const bool selected = m_table->selectionModel()->hasSelection();
    m_checkButton->setEnabled(idle);
    m_sendButton->setEnabled(idle && selected && !m_command->text().trimmed().isEmpty());
    m_sequenceButton->setEnabled(idle && selected);
    if (!idle)
        m_progress->setText((m_checking ? tr("Checking: %1 of %2") : tr("Sending: %1 of %2"))
                                .arg(m_finished)
                                .arg(m_runRows.size()));
}
