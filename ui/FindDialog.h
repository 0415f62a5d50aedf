#ifndef CHIRPWELL_UI_FINDDIALOG_H
#define CHIRPWELL_UI_FINDDIALOG_H

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The normal find: a modeless dialog with the text to find, match case and the
// direction; each "find next" asks the view to select the next match.
class CFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit CFindDialog(QWidget* parent = nullptr);

    QString FindWhat() const;
    bool MatchCase() const;
    bool Up() const;

    QLineEdit* FindEdit() const { return m_pFindWhat; }
    QCheckBox* MatchCaseBox() const { return m_pMatchCase; }
    QRadioButton* UpButton() const { return m_pUp; }
    QPushButton* FindNextButton() const { return m_pFindNext; }

signals:
    void FindNext();

private:
    QLineEdit* m_pFindWhat = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNext = nullptr;
};

#endif
