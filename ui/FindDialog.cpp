#include "ui/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/DialogUnits.h"
#include "ui/UiTexts.h"

CFindDialog::CFindDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Ui(kFindTitle));
    setFont(DialogFont());
    setModal(false);

    auto* label = new QLabel(Ui(kFindWhat), this);
    m_pFindWhat = new QLineEdit(this);
    label->setBuddy(m_pFindWhat);
    m_pMatchCase = new QCheckBox(Ui(kFindMatchCase), this);
    auto* direction = new QGroupBox(Ui(kFindDirection), this);
    m_pUp = new QRadioButton(Ui(kFindUp), direction);
    m_pDown = new QRadioButton(Ui(kFindDown), direction);
    m_pDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_pUp);
    directionLayout->addWidget(m_pDown);

    m_pFindNext = new QPushButton(Ui(kFindNext), this);
    m_pFindNext->setDefault(true);
    m_pFindNext->setEnabled(false);
    auto* cancel = new QPushButton(Ui(kButtonCancel), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_pFindWhat, 0, 1, 1, 2);
    grid->addWidget(m_pMatchCase, 1, 0, 1, 2, Qt::AlignBottom);
    grid->addWidget(direction, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pFindNext);
    buttons->addWidget(cancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 2, 1);

    connect(m_pFindWhat, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_pFindNext->setEnabled(!text.isEmpty()); });
    connect(m_pFindNext, &QPushButton::clicked, this, &CFindDialog::FindNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
}

QString CFindDialog::FindWhat() const
{
    return m_pFindWhat->text();
}

bool CFindDialog::MatchCase() const
{
    return m_pMatchCase->isChecked();
}

bool CFindDialog::Up() const
{
    return m_pUp->isChecked();
}
