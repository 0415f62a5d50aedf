#ifndef CHIRPWELL_UI_SETTINGSDIALOG_H
#define CHIRPWELL_UI_SETTINGSDIALOG_H

#include <QDialog>

#include "document/SettingsValues.h"

class CConverter;
class INotifier;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// The settings dialog: the smile frequency, the three filters and the two censor
// characters, and a button that loads a smile file into the converter at once. The
// converter and the notifier must outlive it.
class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CSettingsDialog(const CSettingsValues& values, CConverter& converter, INotifier& notifier,
                    QWidget* parent = nullptr);

    // The values entered; meaningful after the dialog was accepted.
    const CSettingsValues& Values() const { return m_values; }

    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* LoadButton() const { return m_pLoad; }
    QLineEdit* FrequencyEdit() const { return m_pFrequency; }
    QLineEdit* HankakuEdit() const { return m_pHankaku; }
    QLineEdit* ZenkakuEdit() const { return m_pZenkaku; }
    QGroupBox* SetBox() const { return m_pSetBox; }

public slots:
    void accept() override;

private:
    void OnLoadFile();

    CSettingsValues m_values;
    CConverter& m_converter;
    INotifier& m_notifier;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pLoad = nullptr;
    QCheckBox* m_pHtml = nullptr;
    QCheckBox* m_pComments = nullptr;
    QCheckBox* m_pReturnCode = nullptr;
    QLineEdit* m_pFrequency = nullptr;
    QLineEdit* m_pHankaku = nullptr;
    QLineEdit* m_pZenkaku = nullptr;
    QGroupBox* m_pSetBox = nullptr;
};

#endif
