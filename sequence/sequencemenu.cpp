#include "sequence/sequencemenu.h"
#include "app/mainwindow.h"
#include "config/configurationfile.h"
#include "link/devicelink.h"
#include "sender/commandnames.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

namespace {

constexpr int recentCount = 5;

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

} // namespace

SequenceMenu::SequenceMenu(QWidget *window, Ui::MainWindow *ui, DeviceLink *link,
                           const ConsoleEnvironment &environment,
                           std::function<const PlayerModel *()> model, Press press)
    : QObject(window)
    , m_window(window)
    , m_ui(ui)
    , m_link(link)
    , m_environment(environment)
    , m_model(std::move(model))
    , m_press(std::move(press))
{
    connect(m_ui->action_Run_Sequence, &QAction::triggered, this, &SequenceMenu::chooseAndRun);
    connect(m_ui->action_Stop_Sequence, &QAction::triggered, this, [this] {
        m_stoppedHere = true;
        if (m_run)
            m_run->stop(MainWindow::tr("stopped"));
    });
    connect(m_ui->action_Record_Sequence, &QAction::triggered, this, &SequenceMenu::startRecording);
    connect(m_ui->action_Stop_Recording_Sequence, &QAction::triggered, this,
            &SequenceMenu::stopRecording);
    showState();
}

SequenceMenu::~SequenceMenu() = default;

void SequenceMenu::setRecentFiles(const QStringList &paths)
{
    m_recent = paths.mid(0, recentCount);
    showState();
}

void SequenceMenu::chooseAndRun()
{
    const QString directory = m_recent.isEmpty() ? QString() : QFileInfo(m_recent.first()).path();
    const QString path =
        m_environment.chooseOpenPath(m_window, MainWindow::tr("Run Sequence"), directory);
    if (!path.isEmpty())
        run(path);
}

// The whole file is checked for the model before its first step is sent.
void SequenceMenu::run(const QString &path)
{
    const PlayerModel *model = m_model();
    if (!model || (m_run && m_run->isRunning()))
        return;
    auto [content, error] = readTextFile(path, MainWindow::tr("a sequence file"));
    Sequence sequence = error.isEmpty() ? readSequence(content, *model) : Sequence{{}, error};
    // A file that cannot be read leaves the list; one refused stays, to be run once mended.
    m_recent.removeAll(path);
    if (error.isEmpty())
        m_recent = (QStringList{path} + m_recent).mid(0, recentCount);
    if (!sequence.error.isEmpty()) {
        showState();
        QMessageBox::warning(
            m_window, MainWindow::tr("Sequence error"),
            MainWindow::tr("The sequence %1 cannot be run; nothing was sent.").arg(path) +
                QLatin1Char('\n') + sequence.error,
            QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    m_runPath = path;
    // The frame that the link took last is the one pressed, if the press gave the link one.
    m_run = std::make_unique<SequenceRun>(
        m_link, std::move(sequence.steps),
        [this](const SequenceStep &step) {
            const int before = m_link->lastFrame();
            m_press(step.control);
            return m_link->lastFrame() != before ? m_link->lastFrame() : 0;
        },
        m_environment.answerTimeoutMs);
    connect(m_run.get(), &SequenceRun::stepStarted, this, &SequenceMenu::onStep);
    connect(m_run.get(), &SequenceRun::finished, this, &SequenceMenu::onFinished);
    m_run->start();
    showState();
}

void SequenceMenu::onStep(int index)
{
    const SequenceStep &step = m_run->steps().at(std::size_t(index));
    QString what = step.name;
    if (step.kind == SequenceStep::Kind::Wait)
        what = MainWindow::tr("wait %1 ms").arg(step.waitMs);
    else if (step.kind == SequenceStep::Kind::Expect)
        what = MainWindow::tr("expect %1").arg(QString::fromUtf8(step.expected));
    m_ui->statusBar->showMessage(MainWindow::tr("Sequence %1: step %2 of %3, line %4: %5")
                                     .arg(fileName(m_runPath))
                                     .arg(index + 1)
                                     .arg(m_run->steps().size())
                                     .arg(step.line)
                                     .arg(what));
}

// A run stopped from the menu says so in the status line; one that failed, in a box.
void SequenceMenu::onFinished(const SequenceOutcome &outcome)
{
    showState();
    if (outcome.completed) {
        m_ui->statusBar->showMessage(MainWindow::tr("Sequence %1 done").arg(fileName(m_runPath)));
        return;
    }
    const QString where = MainWindow::tr("The sequence %1 stopped at line %2: %3")
                              .arg(fileName(m_runPath))
                              .arg(outcome.line)
                              .arg(outcome.reason);
    m_ui->statusBar->showMessage(where);
    if (std::exchange(m_stoppedHere, false))
        return;
    // A link that closed on failing has its own box, which says this too; one that waits for its
    // device has none. Never a box from inside the link's signal: it has yet to close.
    if (outcome.linkFailed && m_link->state() != DeviceLink::State::Waiting) {
        m_linkStopNote = where;
        return;
    }
    QTimer::singleShot(0, this, [this, where] {
        QMessageBox::warning(m_window, MainWindow::tr("Sequence stopped"), where, QMessageBox::Ok,
                             QMessageBox::NoButton);
    });
}

void SequenceMenu::startRecording()
{
    const PlayerModel *model = m_model();
    if (!model)
        return;
    const QString path = m_environment.chooseSavePath(
        m_window, MainWindow::tr("Record Sequence"),
        QStringLiteral("%1.sequence").arg(model->name).replace(QLatin1Char('/'), QLatin1Char('-')),
        ExistingFile::Replaced);
    if (path.isEmpty())
        return;
    m_recordPath = path;
    m_recorded = QStringList{QStringLiteral("model ") + model->name};
    m_lastPress = QDateTime();
    showState();
    m_ui->statusBar->showMessage(
        MainWindow::tr("Recording the commands pressed to %1").arg(fileName(path)));
}

// The pause before each command but the first, rounded to a tenth of a second.
void SequenceMenu::pressed(const Control &control)
{
    const PlayerModel *model = m_model();
    if (m_recordPath.isEmpty() || !model || (m_run && m_run->isRunning()))
        return;
    const auto typed = typedCommand(*model, control);
    if (!typed)
        return;
    const QDateTime now = m_environment.sessionClock();
    if (m_lastPress.isValid()) {
        const qint64 pause = (m_lastPress.msecsTo(now) + 50) / 100 * 100;
        if (pause > 0)
            m_recorded
                << QStringLiteral("wait %1 ms").arg(qMin<qint64>(pause, longestSequenceWaitMs));
    }
    m_recorded << *typed;
    m_lastPress = now;
}

void SequenceMenu::stopRecording()
{
    const QString path = std::exchange(m_recordPath, QString());
    showState();
    if (writeConfigurationFile(path,
                               (m_recorded.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8())) {
        m_ui->statusBar->showMessage(MainWindow::tr("Sequence recorded to %1").arg(path));
        return;
    }
    QMessageBox::critical(m_window, MainWindow::tr("Save error"),
                          MainWindow::tr("The sequence could not be saved to %1.").arg(path),
                          QMessageBox::Ok, QMessageBox::NoButton);
}

void SequenceMenu::showState()
{
    const bool running = m_run && m_run->isRunning();
    m_ui->action_Run_Sequence->setEnabled(!running);
    m_ui->action_Stop_Sequence->setEnabled(running);
    m_ui->action_Record_Sequence->setEnabled(m_recordPath.isEmpty());
    m_ui->action_Stop_Recording_Sequence->setEnabled(!m_recordPath.isEmpty());
    QMenu *menu = m_ui->menu_Recent_Sequences;
    menu->clear();
    for (const QString &path : qAsConst(m_recent))
        menu->addAction(fileName(path), this, [this, path] { run(path); })->setToolTip(path);
    menu->setEnabled(!m_recent.isEmpty() && !running);
}
