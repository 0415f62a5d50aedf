#ifndef CHIRPWELL_UI_PROMPTER_H
#define CHIRPWELL_UI_PROMPTER_H

#include "document/IPrompter.h"

class CCodec;
class QWidget;

// The document's dialogs as Qt shows them, over the main window.
class CPrompter : public IPrompter {
public:
    void SetParent(QWidget* parent) { m_pParent = parent; }
    // The codec of the texts that messages may quote; it must outlive
    // the prompter's use.
    void SetCodec(const CCodec* codec) { m_pCodec = codec; }

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> ChooseFileToOpen(const CFileDialogOptions& options) override;
    std::optional<std::string> ChooseFileToSave(const CFileDialogOptions& options) override;
    bool RunSettingsDialog(CSettingsValues& values, CConverter& converter) override;

private:
    QWidget* m_pParent = nullptr;
    const CCodec* m_pCodec = nullptr;
};

#endif
