#pragma once

#include "catalogue/playercatalogue.h"
#include "link/linktarget.h"
#include "transmission/namedcontrols.h"

#include <QStringList>

#include <map>
#include <unordered_set>
#include <vector>

class EntryList;
class QWidget;
namespace Ui {
class MainWindow;
}

// The part of the window that follows the model: the player list, the link settings that the
// model takes, and the controls that it offers, with their lists filled. It only shows; the
// window's slots send.
class ModelControls
{
public:
    explicit ModelControls(Ui::MainWindow &ui)
        : ui(ui)
    {}

    void listModels(const PlayerCatalogueList &catalogue);
    void hideAll();
    // The model's link settings, player IDs and offered controls, the slider's range following
    // the addressing family `volumeProtocol`. Choosing a model never transmits.
    void show(const PlayerModel &model, int volumeProtocol);
    void showTcpPort(const PlayerModel &model);
    void showVolumeValue();
    // The reference, option and preset lists of the playback source at `index` of its list.
    void showSourceOfPlayback(const PlayerModel *model, int index);
    // Only what sends needs a link: the history received, its modes and the display of the last
    // frame stay usable without one.
    void setSendersEnabled(bool enabled);
    // Where the link settings shown lead, for this model.
    LinkTarget linkTarget(const PlayerModel &model) const;

private:
    // The controls a model shows and the entries of its lists, gathered before any control is
    // shown or hidden or any list refilled.
    struct Shown
    {
        std::unordered_set<QWidget *> controls;
        std::map<EntryList *, QStringList> entries;
    };
    struct SourceLists
    {
        QStringList references;
        QStringList options;
        QStringList webradio;
    };

    std::vector<QWidget *> panels() const;
    void showLinkSettings(const PlayerModel &model, Shown &shown);
    void showPlayerIds(const PlayerModel &model, Shown &shown);
    void showPanel(const PlayerModel &model, const OfferedControl &offered, int volumeProtocol,
                   Shown &shown);
    SourceLists sourceLists(const PlayerModel *model) const;
    void settleLayouts() const;
    QWidget *playbackButton(int category) const;

    Ui::MainWindow &ui;
};
