#include "connection/serialportlist.h"
#include "connection/serialports.h"
#include "startup/afterfirstpaint.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QTimer>

namespace {

const int settleMs = 300;

QVector<DetectedPort> detectedPorts()
{
    QVector<DetectedPort> ports;
    const auto available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : available)
        ports.append({port.portName(), port.systemLocation(), port.description(),
                      port.manufacturer(), port.serialNumber()});
    return ports;
}

QVector<PortEntry> listedEntries(const QComboBox *list)
{
    QVector<PortEntry> entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append({list->itemText(i), list->itemData(i, Qt::ToolTipRole).toString()});
    return entries;
}

} // namespace

SerialPortList::SerialPortList(QComboBox *list, const SerialDirectories &directories,
                               QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_directories(directories)
    , m_watcher(new QFileSystemWatcher(this))
    , m_settle(new QTimer(this))
{
    // Typed paths are taken as typed: no completion that would add to them, and no entry made
    // of them, the list keeps the one in the field.
    m_list->setEditable(true);
    m_list->setInsertPolicy(QComboBox::NoInsert);
    m_list->setCompleter(nullptr);
    m_list->view()->parentWidget()->installEventFilter(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(settleMs);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, m_settle,
            qOverload<>(&QTimer::start));
    connect(m_settle, &QTimer::timeout, this, [this] {
        refresh();
        emit devicesChanged();
    });
    // Reading the system's ports takes longer than building the whole window: a port named
    // before that (the saved one) is kept.
    afterFirstPaint(m_list, this, [this] { refresh(); });
}

void SerialPortList::refresh()
{
    watchDirectories();
    const QString text = m_list->currentText();
    const QVector<PortEntry> entries =
        portEntries(detectedPorts(), readStableNames(m_directories.stableNames), {text});
    if (entries == listedEntries(m_list))
        return;
    const int cursor = m_list->lineEdit()->cursorPosition();
    m_list->clear();
    for (const PortEntry &entry : entries)
        m_list->addItem(entry.name);
    for (int i = 0; i < entries.size(); ++i)
        m_list->setItemData(i, entries.at(i).details, Qt::ToolTipRole);
    // Nothing typed: the first port, as when the window opens.
    if (!text.isEmpty()) {
        m_list->setCurrentIndex(m_list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        m_list->lineEdit()->setCursorPosition(cursor);
    }
}

// The stable names' directory is made with the first adapter: its parent tells when.
void SerialPortList::watchDirectories()
{
    const QString stableNames = m_directories.stableNames;
    QStringList wanted;
    for (const QString &directory :
         {m_directories.devices, stableNames, QFileInfo(stableNames).absolutePath()}) {
        if (QFileInfo(directory).isDir() && !m_watcher->directories().contains(directory) &&
            !wanted.contains(directory))
            wanted << directory;
    }
    if (!wanted.isEmpty())
        m_watcher->addPaths(wanted);
}

bool SerialPortList::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show)
        refresh(); // the popup opens
    return QObject::eventFilter(watched, event);
}
