#include "modelselection/modelcontrols.h"
#include "app/mainwindow.h"
#include "app/widgetgroups.h"
#include "catalogue/folders.h"
#include "connection/linksettings.h"
#include "modelselection/entrylist.h"
#include "ui_mainwindow.h"

#include <QLayout>

namespace {

// Showing a control sets its own layout and every one above it up to the window at once, and a
// model shows or hides a dozen: those layouts are paused while they change, and set once after
// (not at all before the window is first shown, which sets them all).
class PausedLayouts
{
public:
    explicit PausedLayouts(const std::vector<QWidget *> &controls)
    {
        for (QWidget *control : controls) {
            for (QWidget *widget = control; widget; widget = widget->parentWidget()) {
                QLayout *layout = widget->layout();
                if (layout && layout->isEnabled()) {
                    layout->setEnabled(false);
                    layouts.push_back(layout);
                }
                if (widget->isWindow())
                    break;
            }
        }
    }
    ~PausedLayouts()
    {
        for (QLayout *layout : layouts)
            layout->setEnabled(true);
    }
    PausedLayouts(const PausedLayouts &) = delete;
    PausedLayouts &operator=(const PausedLayouts &) = delete;

private:
    std::vector<QLayout *> layouts;
};

} // namespace

void ModelControls::listModels(const PlayerCatalogueList &catalogue)
{
    for (const PlayerModel &model : catalogue)
        ui.comboBox_Player->addItem(model.name);
}

// Every control that one model shows and another hides; the lists of a playback source follow
// the source chosen (showSourceOfPlayback()).
std::vector<QWidget *> ModelControls::panels() const
{
    return {
        ui.frame_Port,
        ui.frame_Baudrate,
        ui.frame_IP,
        ui.frame_ID,
        ui.frame_Change_ID,
        ui.line_after_Change_ID,
        ui.line_after_ID,
        ui.frame_Folder,
        ui.line_ID_and_Folder,
        ui.frame_Playback_Command,
        ui.pushButton_Previous_Folder,
        ui.pushButton_Previous_File,
        ui.pushButton_Play,
        ui.pushButton_Stop,
        ui.pushButton_Pause,
        ui.pushButton_Next_Folder,
        ui.pushButton_Next_File,
        ui.line_Playback_Command,
        ui.frame_Volume,
        ui.pushButton_Volume_Less,
        ui.pushButton_Volume_More,
        ui.line_Volume,
        ui.frame_Request,
        ui.line_Request,
        ui.frame_Standby_Wakeup,
        ui.line_after_Change_Before_Standby,
        ui.frame_Other_Command,
        ui.line_Other_Command,
        ui.pushButton_Volume_Mute_Unmute,
        ui.line_before_Mute_Unmute,
        ui.frame_Relay_Command,
        ui.line_Relay,
        ui.line_Content_Playback,
        ui.frame_Content_Playback,
    };
}

void ModelControls::hideAll()
{
    for (QWidget *panel : panels())
        panel->hide();
}

void ModelControls::show(const PlayerModel &model, int volumeProtocol)
{
    Shown shown;
    showLinkSettings(model, shown);
    showPlayerIds(model, shown);
    const QVector<OfferedControl> offered = offeredControls(model);
    for (const OfferedControl &control : offered)
        showPanel(model, control, volumeProtocol, shown);
    EntryList *const lists[] = {
        ui.comboBox_Baudrate,
        ui.comboBox_ID,
        ui.comboBox_Change_ID,
        ui.comboBox_Folder,
        ui.comboBox_Request,
        ui.comboBox_Other_Command,
        ui.comboBox_Source_Of_Playback,
    };
    for (EntryList *list : lists)
        list->setEntries(shown.entries[list]);
    if (!model.isTcp()) {
        ui.comboBox_Baudrate->setCurrentIndex(defaultBaudRateEntry(model));
        if (ui.comboBox_Baudrate->count() > 0)
            ui.frame_Baudrate->setEnabled(true);
    }
    // Only the controls whose visibility changes are touched: hiding a control and showing it
    // again cost most of the time a model took to apply.
    const std::vector<QWidget *> controls = panels();
    {
        const PausedLayouts paused(controls);
        for (QWidget *panel : controls)
            panel->setVisible(shown.controls.count(panel) > 0);
    }
    settleLayouts();
}

// A control that stays shown may have changed its width (a list refilled, a label's text): the
// layouts from it up to the window are set again now, as showing a control sets them, rather
// than over the next rounds of events, which would show it clipped for a moment.
void ModelControls::settleLayouts() const
{
    for (QWidget *panel : panels()) {
        for (QWidget *widget = panel; widget && widget->isVisible();
             widget = widget->parentWidget()) {
            if (QLayout *layout = widget->layout())
                layout->activate();
            if (widget->isWindow())
                break;
        }
    }
}

void ModelControls::showLinkSettings(const PlayerModel &model, Shown &shown)
{
    if (model.isTcp()) {
        showTcpPort(model);
        shown.controls.insert(ui.frame_IP);
        return;
    }
    shown.controls.insert({ui.frame_Port, ui.frame_Baudrate});
    shown.entries[ui.comboBox_Baudrate] = baudRateEntries(model);
}

void ModelControls::showTcpPort(const PlayerModel &model)
{
    ui.label_IP_Port->setText(QStringLiteral("( ") + MainWindow::tr("Port number: ") +
                              QString::number(model.tcpPort) + QStringLiteral(" )"));
}

void ModelControls::showPlayerIds(const PlayerModel &model, Shown &shown)
{
    QStringList &ids = shown.entries[ui.comboBox_ID];
    ids = numberEntries(model.minId, model.maxId, false);
    if (ids.size() > 1)
        shown.controls.insert({ui.frame_ID, ui.line_ID_and_Folder, ui.line_after_ID});
}

void ModelControls::showPanel(const PlayerModel &model, const OfferedControl &offered,
                              int volumeProtocol, Shown &shown)
{
    const PlayerCommand &command = *offered.command;
    switch (offered.panel) {
    case CommandPanel::None:
        break;
    case CommandPanel::Folder:
        shown.entries[ui.comboBox_Folder] += folderEntries(command, model.folderBanks);
        shown.controls.insert({ui.line_ID_and_Folder, ui.frame_Folder});
        break;
    case CommandPanel::PlaybackButton:
        shown.controls.insert({ui.frame_Playback_Command, playbackButton(command.category),
                               ui.line_Playback_Command});
        break;
    case CommandPanel::Volume:
        if (const auto range = volumeRange(command, volumeProtocol)) {
            const QSignalBlocker quiet(ui.horizontalSlider_Volume);
            ui.horizontalSlider_Volume->setRange(range->minimum, range->maximum);
            ui.horizontalSlider_Volume->setValue(range->maximum);
        }
        showVolumeValue();
        shown.controls.insert({ui.frame_Volume, ui.pushButton_Volume_Less,
                               ui.pushButton_Volume_More, ui.line_Volume});
        break;
    case CommandPanel::Request:
        shown.entries[ui.comboBox_Request].append(command.label);
        shown.controls.insert({ui.frame_Request, ui.line_Request});
        break;
    case CommandPanel::ChangeId:
        shown.entries[ui.comboBox_Change_ID] += numberEntries(
            offered.named.parameters.at(0).minimum, offered.named.parameters.at(0).maximum, false);
        shown.controls.insert({ui.frame_Change_ID, ui.line_after_Change_ID});
        break;
    case CommandPanel::StandbyWakeup:
        shown.controls.insert({ui.frame_Standby_Wakeup, ui.line_after_Change_Before_Standby,
                               ui.line_Playback_Command});
        break;
    case CommandPanel::OtherCommand:
        shown.entries[ui.comboBox_Other_Command].append(command.label);
        shown.controls.insert({ui.frame_Other_Command, ui.line_Other_Command});
        break;
    case CommandPanel::MuteToggle:
        shown.controls.insert({ui.frame_Volume, ui.pushButton_Volume_Mute_Unmute, ui.line_Volume,
                               ui.line_before_Mute_Unmute});
        break;
    case CommandPanel::Relay:
        shown.controls.insert({ui.frame_Relay_Command, ui.line_Relay});
        break;
    case CommandPanel::PlaybackSource:
        shown.entries[ui.comboBox_Source_Of_Playback].append(command.label);
        shown.controls.insert({ui.frame_Content_Playback, ui.line_Content_Playback});
        break;
    }
}

QWidget *ModelControls::playbackButton(int category) const
{
    using namespace CommandCategory;
    switch (category) {
    case PreviousFolder:
        return ui.pushButton_Previous_Folder;
    case PreviousFile:
        return ui.pushButton_Previous_File;
    case Play:
        return ui.pushButton_Play;
    case Stop:
        return ui.pushButton_Stop;
    case Pause:
        return ui.pushButton_Pause;
    case NextFile:
        return ui.pushButton_Next_File;
    default:
        return ui.pushButton_Next_Folder;
    }
}

void ModelControls::showSourceOfPlayback(const PlayerModel *model, int index)
{
    SourceLists lists;
    if (ui.comboBox_Source_Of_Playback->count() > index)
        lists = sourceLists(model);
    ui.comboBox_Ref_Of_Playback->setEntries(lists.references);
    ui.comboBox_Option_Of_Playback->setEntries(lists.options);
    ui.comboBox_Webradio_Ref_Of_Playback->setEntries(lists.webradio);
    // A list left empty hides its frame; one that stays filled keeps it as it is.
    ui.frame_Ref_Of_Playback->setVisible(ui.comboBox_Ref_Of_Playback->count() > 0);
    ui.frame_Option_Of_Playback->setVisible(ui.comboBox_Option_Of_Playback->count() > 0);
    ui.frame_Webradio_Ref_Of_Playback->setVisible(ui.comboBox_Webradio_Ref_Of_Playback->count() >
                                                  0);
}

ModelControls::SourceLists ModelControls::sourceLists(const PlayerModel *model) const
{
    SourceLists lists;
    const PlayerCommand *source =
        model ? model->commandByLabel(ui.comboBox_Source_Of_Playback->currentText()) : nullptr;
    if (!source || source->dataMin.size() < 3 || source->dataMax.size() < 3)
        return lists;
    // References and presets alike: the 16-bit range of bytes 0 and 1.
    const QStringList references = numberEntries(source->wordMin(), source->wordMax(), true);
    switch (source->category) {
    case CommandCategory::ContentFolderOption:
        lists.references = references;
        lists.options = numberEntries(source->dataMin.at(2), source->dataMax.at(2), true);
        break;
    case CommandCategory::Webradio:
        lists.webradio = references;
        break;
    case CommandCategory::ContentFolder:
        lists.references = references;
        break;
    default:
        break;
    }
    return lists;
}

void ModelControls::showVolumeValue()
{
    ui.label_Volume_2->setText(QString::number(ui.horizontalSlider_Volume->value()));
}

void ModelControls::setSendersEnabled(bool enabled)
{
    setAllEnabled({ui.frame_ID, ui.frame_Change_ID, ui.frame_Folder, ui.frame_Standby_Wakeup,
                   ui.frame_Content_Playback, ui.frame_Playback_Command, ui.frame_Other_Command,
                   ui.frame_Volume, ui.frame_Request, ui.frame_Relay_Command},
                  enabled);
}

LinkTarget ModelControls::linkTarget(const PlayerModel &model) const
{
    return ::linkTarget(model, ui.comboBox_Port->currentText(),
                        ui.comboBox_Baudrate->currentIndex(),
                        hostText(ui.spinBox_IP_1->value(), ui.spinBox_IP_2->value(),
                                 ui.spinBox_IP_3->value(), ui.spinBox_IP_4->value()));
}
