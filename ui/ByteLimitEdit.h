#ifndef CHIRPWELL_UI_BYTELIMITEDIT_H
#define CHIRPWELL_UI_BYTELIMITEDIT_H

#include <cstddef>

#include <QLineEdit>

// A line edit that takes typing only while its text stays within a number of CP932
// bytes. A longer text set from outside is shown as it is and can still be
// shortened.
class CByteLimitEdit : public QLineEdit {
    Q_OBJECT
public:
    CByteLimitEdit(std::size_t limit, QWidget* parent = nullptr);

private:
    void OnTextEdited(const QString& text);

    std::size_t m_nLimit;
    QString m_strAccepted;  // the text before the last edit
};

#endif
