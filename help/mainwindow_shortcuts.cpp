#include "app/mainwindow.h"

#include <QAction>

void MainWindow::createShortcuts()
{
    using Slot = void (MainWindow::*)();
    const struct
    {
        QList<QKeySequence> keys;
        Slot slot;
    } shortcuts[] = {
        {{Qt::CTRL | Qt::Key_0}, &MainWindow::Play_Folder_000},
        {{Qt::CTRL | Qt::Key_1}, &MainWindow::Play_Folder_001},
        {{Qt::CTRL | Qt::Key_2}, &MainWindow::Play_Folder_002},
        {{Qt::CTRL | Qt::Key_3}, &MainWindow::Play_Folder_003},
        {{Qt::CTRL | Qt::Key_4}, &MainWindow::Play_Folder_004},
        {{Qt::CTRL | Qt::Key_5}, &MainWindow::Play_Folder_005},
        {{Qt::CTRL | Qt::Key_6}, &MainWindow::Play_Folder_006},
        {{Qt::CTRL | Qt::Key_7}, &MainWindow::Play_Folder_007},
        {{Qt::CTRL | Qt::Key_8}, &MainWindow::Play_Folder_008},
        {{Qt::CTRL | Qt::Key_9}, &MainWindow::Play_Folder_009},
        // Plus as most people type it: without Shift, or on the keypad.
        {{Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal,
          Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus},
         &MainWindow::Increase_Volume},
        {{Qt::CTRL | Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus},
         &MainWindow::Decrease_Volume},
        {{Qt::Key_MediaPlay}, &MainWindow::on_pushButton_Play_clicked},
        {{Qt::Key_MediaStop}, &MainWindow::on_pushButton_Stop_clicked},
        {{Qt::Key_MediaNext}, &MainWindow::on_pushButton_Next_File_clicked},
        {{Qt::Key_MediaPrevious}, &MainWindow::on_pushButton_Previous_File_clicked},
        {{Qt::Key_MediaPause}, &MainWindow::on_pushButton_Pause_clicked},
        {{Qt::CTRL | Qt::Key_MediaNext}, &MainWindow::on_pushButton_Next_Folder_clicked},
        {{Qt::CTRL | Qt::Key_MediaPrevious}, &MainWindow::on_pushButton_Previous_Folder_clicked},
        {{Qt::Key_VolumeMute}, &MainWindow::on_pushButton_Volume_Mute_Unmute_clicked},
    };
    for (const auto &shortcut : shortcuts) {
        auto *action = new QAction(this);
        addAction(action);
        action->setShortcuts(shortcut.keys);
        connect(action, &QAction::triggered, this, shortcut.slot);
    }
}
