#ifndef CHIRPWELL_UI_ABOUTDIALOG_H
#define CHIRPWELL_UI_ABOUTDIALOG_H

#include <QDialog>

// The product's name and version.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

#endif
