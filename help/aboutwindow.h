#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class aboutwindow;
}

// The Help menu's about box: name, version, copyright, maker, home page and operating system.
class aboutwindow : public QDialog
{
    Q_OBJECT

public:
    explicit aboutwindow(QWidget *parent = nullptr);
    ~aboutwindow() override;

    // Sets the texts in the current language.
    void fillInformation();
    static QString operatingSystemDescription();

private:
    std::unique_ptr<Ui::aboutwindow> ui;
};
