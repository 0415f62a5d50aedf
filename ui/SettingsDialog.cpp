#include "ui/SettingsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "document/IPrompter.h"
#include "document/SettingsChecks.h"
#include "engine/smile/Converter.h"
#include "ui/ByteLimitEdit.h"
#include "ui/DialogUnits.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/TextCodec.h"
#include "ui/UiTexts.h"

CSettingsDialog::CSettingsDialog(const CSettingsValues& values, CConverter& converter,
                                 INotifier& notifier, QWidget* parent)
    : QDialog(parent), m_values(values), m_converter(converter), m_notifier(notifier)
{
    setWindowTitle(Ui(kSettingsTitle));
    setFont(DialogFont());
    const CDialogUnits units(font());
    setFixedSize(units.Size(251, 131));

    // The frames first, so that the controls they frame lie above them.
    m_pSetBox = new QGroupBox(FromCp932(m_converter.Name(), &m_converter.Codec()), this);
    m_pSetBox->setGeometry(units.Rect(7, 7, 155, 66));
    auto* filters = new QGroupBox(Ui(kGroupFilters), this);
    filters->setGeometry(units.Rect(171, 53, 63, 58));
    auto* censor = new QGroupBox(Ui(kGroupCensor), this);
    censor->setGeometry(units.Rect(7, 81, 155, 31));
    // The caption sits on the frame's top line, so the frame fills its rectangle.
    for (QGroupBox* box : {m_pSetBox, filters, censor})
        box->setStyleSheet("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                           "QGroupBox::title { subcontrol-origin: margin; left: 6px;"
                           " padding: 0 2px; }");

    m_pOk = new QPushButton(Ui(kButtonOk), this);
    m_pOk->setGeometry(units.Rect(194, 7, 50, 14));
    m_pOk->setDefault(true);
    auto* cancel = new QPushButton(Ui(kButtonCancel), this);
    cancel->setGeometry(units.Rect(194, 24, 50, 14));
    m_pLoad = new QPushButton(Ui(kButtonLoadFile), this);
    m_pLoad->setGeometry(units.Rect(107, 51, 47, 15));
    m_pHtml = new QCheckBox(Ui(kCheckHtml), this);
    m_pHtml->setGeometry(units.Rect(175, 62, 53, 15));
    m_pComments = new QCheckBox(Ui(kCheckComments), this);
    m_pComments->setGeometry(units.Rect(175, 78, 53, 15));
    m_pReturnCode = new QCheckBox(Ui(kCheckReturnCode), this);
    m_pReturnCode->setGeometry(units.Rect(175, 95, 53, 10));
    auto* frequencyLabel = new QLabel(Ui(kLabelFrequency), this);
    frequencyLabel->setGeometry(units.Rect(15, 33, 43, 11));
    m_pFrequency = new QLineEdit(this);
    m_pFrequency->setGeometry(units.Rect(61, 33, 41, 11));
    auto* percent = new QLabel(Ui(kLabelPercent), this);
    percent->setGeometry(units.Rect(112, 33, 21, 11));
    auto* zenkakuLabel = new QLabel(Ui(kLabelZenkaku), this);
    zenkakuLabel->setGeometry(units.Rect(16, 95, 15, 8));
    auto* hankakuLabel = new QLabel(Ui(kLabelHankaku), this);
    hankakuLabel->setGeometry(units.Rect(77, 95, 15, 8));
    m_pZenkaku = new CByteLimitEdit(kZenkakuBytes, this);
    m_pZenkaku->setGeometry(units.Rect(38, 93, 15, 14));
    m_pHankaku = new CByteLimitEdit(kHankakuBytes, this);
    m_pHankaku->setGeometry(units.Rect(98, 92, 15, 14));

    // Tab order is the order of creation above; the labels and frames take no focus.
    for (QWidget* frame : {static_cast<QWidget*>(m_pSetBox), static_cast<QWidget*>(filters),
                           static_cast<QWidget*>(censor)})
        frame->setFocusPolicy(Qt::NoFocus);
    setTabOrder(m_pOk, cancel);
    setTabOrder(cancel, m_pLoad);
    setTabOrder(m_pLoad, m_pHtml);
    setTabOrder(m_pHtml, m_pComments);
    setTabOrder(m_pComments, m_pReturnCode);
    setTabOrder(m_pReturnCode, m_pFrequency);
    setTabOrder(m_pFrequency, m_pZenkaku);
    setTabOrder(m_pZenkaku, m_pHankaku);

    m_pHtml->setChecked(values.m_bHTMLCut);
    m_pComments->setChecked(values.m_bCPPCut);
    m_pReturnCode->setChecked(values.m_bReturnCode);
    // A stored value is shown as it is, even one the checks would refuse.
    m_pFrequency->setText(QString::number(values.m_nFrequency));
    m_pZenkaku->setText(FromCp932(values.m_strZenkaku, &m_converter.Codec()));
    m_pHankaku->setText(FromCp932(values.m_strHankaku, &m_converter.Codec()));

    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pLoad, &QPushButton::clicked, this, &CSettingsDialog::OnLoadFile);
    m_pOk->setFocus();
}

void CSettingsDialog::accept()
{
    CSettingsInput input;
    input.m_bHTMLCut = m_pHtml->isChecked();
    input.m_bCPPCut = m_pComments->isChecked();
    input.m_bReturnCode = m_pReturnCode->isChecked();
    input.m_strFrequency = m_pFrequency->text().toStdString();
    input.m_strHankaku = m_pHankaku->text().toStdString();
    input.m_strZenkaku = m_pZenkaku->text().toStdString();
    const std::optional<CSettingsRefusal> refusal = CheckSettings(input, m_values, m_converter.Codec());
    if (!refusal) {
        QDialog::accept();
        return;
    }
    ShowMessageBox(this, FromCp932(refusal->m_strMessage));
    QLineEdit* field = refusal->m_eField == ESettingsField::Frequency ? m_pFrequency
                       : refusal->m_eField == ESettingsField::Hankaku ? m_pHankaku
                                                                       : m_pZenkaku;
    field->setFocus();
    field->selectAll();
}

void CSettingsDialog::OnLoadFile()
{
    if (const std::optional<std::string> path = ChooseFileToOpen(this, SmileFileDialogOptions()))
        m_pSetBox->setTitle(
            FromCp932(LoadSmileFileFromDialog(m_converter, m_notifier, *path), &m_converter.Codec()));
    // Enter then confirms the dialog.
    m_pOk->setFocus();
}
