#include "document/ChirpwellDoc.h"

#include <cassert>
#include <memory>
#include <optional>

#include "document/CommandIds.h"
#include "document/DocTexts.h"
#include "document/DocumentFile.h"
#include "document/IDocFrame.h"
#include "document/IDocView.h"
#include "document/IProgressFactory.h"
#include "document/IPrompter.h"
#include "document/IWorkingDirectory.h"
#include "document/SettingsChecks.h"
#include "document/SettingsValues.h"
#include "document/WindowKeys.h"
#include "engine/EngineTexts.h"
#include "engine/IProfile.h"
#include "engine/ProfileKeys.h"
#include "engine/smile/Pipeline.h"
#include "engine/text/Cp932.h"
#include "engine/text/TextFormat.h"

namespace {

CFileDialogOptions DocumentFileDialogOptions(const char* title, const std::string& initialPath)
{
    CFileDialogOptions options;
    options.m_strTitle = Cp932Text(title);
    options.m_filters = {{Cp932Text(kDocumentFilterName), "*"}};
    options.m_strInitialPath = initialPath;
    return options;
}

}  // namespace

CChirpwellDoc::CChirpwellDoc(const CDocPorts& ports)
    : m_ports(ports),
      m_random(ports.m_clock),
      m_file(ports.m_prompter),
      m_converter(ports.m_prompter, m_random, &m_codec),
      m_undoConverter(ports.m_prompter, m_random, &m_codec)
{
    const std::string directory = ReadProfile(m_ports.m_profile, kKeyCurrentDirectory);
    // A directory that cannot be entered is passed over without a word.
    if (directory != kKeyCurrentDirectory.m_pDefault)
        m_ports.m_workingDirectory.Set(directory);
    m_converter.LoadSettings(m_ports.m_profile);
    UpdateSmileSetNotice();
    BuildCommands();
}

CChirpwellDoc::~CChirpwellDoc()
{
    m_converter.SaveSettings(m_ports.m_profile);
}

void CChirpwellDoc::BuildCommands()
{
    m_commands.On(ID_FILE_OPEN, [this] {
        const std::optional<std::string> path = m_ports.m_prompter.ChooseFileToOpen(
            DocumentFileDialogOptions(kOpenDialogTitle, m_strPathName));
        if (path)
            OpenDocumentFile(*path);
    });
    m_commands.On(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    m_commands.On(ID_RELOAD, [this] { OnReload(); });
    m_commands.On(ID_SMILE_AGAIN, [this] { OnSmileAgain(); });
    m_commands.On(ID_SMILE_WITH_FILE, [this] { OnSmileWithFile(); });
    m_commands.On(ID_SETTINGS, [this] { OnSettings(); });
    m_commands.On(ID_SEARCH_DOWN, [this] { OnSearchDown(); });
    m_commands.On(ID_SEARCH_UP, [this] { OnSearchUp(); });
    m_commands.On(ID_CENSOR, [this] { OnCensor(); },
                  [this](CCmdUI& cmdUI) { OnUpdateSelectionEffect(cmdUI); });
    m_commands.On(ID_REVERSE, [this] { OnReverse(); },
                  [this](CCmdUI& cmdUI) { OnUpdateSelectionEffect(cmdUI); });
    m_commands.On(ID_UNDO, [this] { OnUndo(); }, [this](CCmdUI& cmdUI) { OnUpdateUndo(cmdUI); });

    const auto hasFile = [this](CCmdUI& cmdUI) { cmdUI.m_bEnabled = !m_strPathName.empty(); };
    static constexpr std::pair<int, EReadEncoding> kReopen[] = {
        {ID_REOPEN_DETECT, EReadEncoding::Detect},
        {ID_REOPEN_SHIFT_JIS, EReadEncoding::ShiftJis},
        {ID_REOPEN_UTF8, EReadEncoding::Utf8},
        {ID_REOPEN_EUC_JP, EReadEncoding::EucJp},
        {ID_REOPEN_ISO2022JP, EReadEncoding::Iso2022Jp},
        {ID_REOPEN_UTF16, EReadEncoding::Utf16},
        {ID_REOPEN_UTF16LE, EReadEncoding::Utf16Le},
        {ID_REOPEN_UTF16BE, EReadEncoding::Utf16Be},
        {ID_REOPEN_SHIFT_JIS_2004, EReadEncoding::ShiftJis2004},
        {ID_REOPEN_EUC_JIS_2004, EReadEncoding::EucJis2004},
    };
    for (const auto& [id, encoding] : kReopen)
        m_commands.On(id, [this, encoding] { OnReopenWithEncoding(encoding); }, hasFile);
    // UTF-16 with a byte-order mark keeps the order the text was read in.
    static constexpr std::pair<int, EEncoding> kSave[] = {
        {ID_SAVE_SHIFT_JIS, EEncoding::ShiftJis},
        {ID_SAVE_UTF8, EEncoding::Utf8},
        {ID_SAVE_EUC_JP, EEncoding::EucJp},
        {ID_SAVE_ISO2022JP, EEncoding::Iso2022Jp},
        {ID_SAVE_UTF16, EEncoding::Utf16LeBom},
        {ID_SAVE_UTF16LE, EEncoding::Utf16Le},
        {ID_SAVE_UTF16BE, EEncoding::Utf16Be},
        {ID_SAVE_SHIFT_JIS_2004, EEncoding::ShiftJis2004},
        {ID_SAVE_EUC_JIS_2004, EEncoding::EucJis2004},
    };
    for (const auto& [id, encoding] : kSave)
        m_commands.On(id, [this, encoding] { OnSaveEncoding(encoding); },
                      [this, encoding](CCmdUI& cmdUI) { OnUpdateSaveEncoding(cmdUI, encoding); });
}

bool CChirpwellDoc::OnOpenDocument(const std::string& path)
{
    if (!Serialize(EArchive::Load, path))
        return false;
    SetModifiedFlag(false);
    // A smile that fails leaves the file's plain text, and the open still succeeds;
    // so does a smile set that has no codes left in this text.
    if (m_bViewReady && m_bSmileSetEncoded)
        RunSmilePipeline(m_converter);
    m_bUndoAvailable = false;
    return true;
}

bool CChirpwellDoc::OpenDocumentFile(const std::string& path)
{
    // A file opened by name is read as the settings say; a failed open leaves the
    // document as it was, its own choice included.
    const EReadEncoding previous = m_eReadEncoding;
    m_eReadEncoding = EReadEncoding::AsSettingsSay;
    if (!OnOpenDocument(path)) {
        m_eReadEncoding = previous;
        return false;
    }
    SetPathName(path, true);
    return true;
}

void CChirpwellDoc::OnNewDocument()
{
    CCodec codec;
    codec.StartText({}, EEncoding::ShiftJis);
    TakeCodec(std::move(codec));
    m_pView->SetText(std::string());
    m_converter.ClearSmilePlaces();
    m_strUndoText.clear();
    m_bUndoAvailable = false;
    SetModifiedFlag(false);
    SetPathName(std::string(), false);
    m_eReadEncoding = EReadEncoding::AsSettingsSay;
    SetEncoding(EEncoding::ShiftJis);
}

void CChirpwellDoc::SetPathName(const std::string& path, bool addToRecentFiles)
{
    m_strPathName = path;
    m_ports.m_frame.OnPathNameChanged(path);
    if (addToRecentFiles)
        m_ports.m_frame.AddToRecentFileList(path);
}

bool CChirpwellDoc::Serialize(EArchive direction, const std::string& path)
{
    if (direction == EArchive::Store)
        return m_file.Write(path, m_pView->GetText(), m_eSaveEncoding, m_codec);
    std::string text;
    EEncoding encoding = EEncoding::ShiftJis;
    CCodec codec;
    if (!m_file.Read(path, m_pView->GetTextLimit(), m_eReadEncoding, m_pView->DetectsEncoding(),
                     codec, text, encoding))
        return false;
    m_bSmileSetEncoded = TakeCodec(std::move(codec));
    m_pView->SetText(text);
    SetEncoding(encoding);
    return true;
}

bool CChirpwellDoc::TakeCodec(CCodec&& codec)
{
    // The codes belong to the text: what the smile set and the censor characters
    // hold is encoded again for it.
    const CCodec previous = std::move(m_codec);
    m_codec = std::move(codec);
    const bool encoded = m_converter.EncodeAgain(previous);
    UpdateSmileSetNotice();
    return encoded;
}

void CChirpwellDoc::SetEncoding(EEncoding encoding)
{
    m_eEncoding = encoding;
    m_eSaveEncoding = encoding;
    m_ports.m_frame.OnEncodingChanged(encoding);
}

void CChirpwellDoc::OnReopenWithEncoding(EReadEncoding encoding)
{
    if (m_strPathName.empty())
        return;
    const EReadEncoding previous = m_eReadEncoding;
    m_eReadEncoding = encoding;
    if (!OnOpenDocument(m_strPathName))
        m_eReadEncoding = previous;
}

void CChirpwellDoc::OnSaveEncoding(EEncoding encoding)
{
    m_eSaveEncoding = KeepingByteOrderMark(encoding, m_eEncoding);
}

void CChirpwellDoc::OnUpdateSaveEncoding(CCmdUI& cmdUI, EEncoding encoding) const
{
    cmdUI.m_bChecked = m_eSaveEncoding == KeepingByteOrderMark(encoding, m_eSaveEncoding);
}

bool CChirpwellDoc::RunSmilePipeline(CConverter& converter)
{
    const std::unique_ptr<IProgress> progress = m_ports.m_progressFactory.Create();
    m_random.SeedFromClock();
    progress->SetCaption(Cp932Text(kCaptionGettingText));
    std::string text = m_pView->GetText();

    m_strUndoText = text;
    m_undoConverter.CopySmilePlaces(m_converter);
    m_bUndoAvailable = true;
    m_converter.ClearSmilePlaces();

    // The switches are the document's own, also when another converter smiles.
    // A text read from UTF-8 or EUC-JP is smiled without splitting its characters.
    if (!FilterAndSmile(m_converter, converter, text, *progress, m_pView->GetTextLimit(),
                        IsTranscoded(m_eEncoding))) {
        m_ports.m_prompter.ShowMessage(Cp932Text(kMsgTooLong));
        m_converter.CopySmilePlaces(m_undoConverter);
        m_bUndoAvailable = false;
        return false;
    }
    progress->SetCaption(Cp932Text(kCaptionSettingText));
    m_pView->SetText(text);
    if (&converter != &m_converter)
        m_converter.CopySmilePlaces(converter);
    m_pView->ResizeToText();
    return true;
}

bool CChirpwellDoc::OnViewInitialUpdate()
{
    if (m_bViewReady)
        return false;
    m_bViewReady = true;
    if (!m_strPathName.empty())
        OnOpenDocument(m_strPathName);
    return true;
}

void CChirpwellDoc::OnReload()
{
    if (!m_strPathName.empty())
        OnOpenDocument(m_strPathName);
}

void CChirpwellDoc::OnSmileAgain()
{
    RunSmilePipeline(m_converter);
}

void CChirpwellDoc::OnSmileWithFile()
{
    const std::optional<std::string> path =
        m_ports.m_prompter.ChooseFileToOpen(SmileFileDialogOptions());
    if (!path)
        return;
    // The other file serves this one smile; the document's own set stays untouched.
    CConverter other(m_ports.m_prompter, m_random, &m_codec);
    other.m_nFrequency = m_converter.m_nFrequency;
    if (!other.LoadSmileFile(*path)) {
        m_ports.m_prompter.ShowMessage(Cp932Text(kMsgSmileFileFailed));
        return;
    }
    RunSmilePipeline(other);
}

void CChirpwellDoc::OnSettings()
{
    const std::string rememberedPath = m_converter.m_strModeFilePath;
    CSettingsValues values = ReadSettingsValues(m_converter);
    if (m_ports.m_prompter.RunSettingsDialog(values, m_converter)) {
        WriteSettingsValues(values, m_converter);
        UpdateSmileSetNotice();
        if (!m_strPathName.empty() && m_ports.m_prompter.AskYesNo(Cp932Text(kAskReload)))
            OnOpenDocument(m_strPathName);
        return;
    }
    // The load button may have put another set in force; the one from before the
    // dialog comes back, and so does its path, which the load had replaced.
    if (!m_converter.LoadSmileFile(rememberedPath)) {
        m_ports.m_prompter.ShowMessage(Cp932Text(kMsgCancelFailed));
        m_converter.LoadBuiltInSet();
    }
    m_converter.m_strModeFilePath = rememberedPath;
    UpdateSmileSetNotice();
}

void CChirpwellDoc::UpdateSmileSetNotice()
{
    // Otherwise nothing would say why nothing smiles.
    m_ports.m_frame.ShowSmileSetNotice(
        m_converter.HasSmileSet()
            ? std::string()
            : FormatMessage(Cp932Text(kMsgSmileFileUnreadable),
                            PathForMessage(m_converter.m_strModeFilePath)));
}

void CChirpwellDoc::OnFileSaveAs()
{
    const std::optional<std::string> path = m_ports.m_prompter.ChooseFileToSave(
        DocumentFileDialogOptions(kSaveAsDialogTitle, m_strPathName));
    if (!path || !Serialize(EArchive::Store, *path))
        return;
    SetModifiedFlag(false);
    SetPathName(*path, true);
    // The file now holds the text in this encoding, so the document is in it too.
    SetEncoding(m_eSaveEncoding);
}

void CChirpwellDoc::OnSearchDown()
{
    SelectSmilePlace(m_converter.FindNextSmilePlace(m_pView->GetSelection().m_nStart));
}

void CChirpwellDoc::OnSearchUp()
{
    SelectSmilePlace(m_converter.FindPreviousSmilePlace(m_pView->GetSelection().m_nStart));
}

void CChirpwellDoc::SelectSmilePlace(const std::optional<CSmilePlace>& place)
{
    // Without a place the search has said so, and the selection stays.
    if (!place)
        return;
    m_pView->SetSelection({place->m_nPosition, place->m_nPosition + place->m_nLength});
    m_pView->ScrollCaret();
}

void CChirpwellDoc::OnCensor()
{
    ApplySelectionEffect(EEffect::Censor);
}

void CChirpwellDoc::OnReverse()
{
    ApplySelectionEffect(EEffect::Reverse);
}

void CChirpwellDoc::ApplySelectionEffect(EEffect effect)
{
    const std::string text = m_pView->GetText();
    m_strUndoText = text;
    m_undoConverter.CopySmilePlaces(m_converter);
    const CSelection selection = m_pView->GetSelection();
    assert(selection.m_nStart <= selection.m_nEnd && selection.m_nEnd <= text.size());
    m_bUndoAvailable = true;

    std::string part = text.substr(selection.m_nStart, selection.m_nEnd - selection.m_nStart);
    if (effect == EEffect::Censor)
        m_converter.Censor(part);
    else
        m_converter.Reverse(part);
    // Both effects keep the length, so the smile places still hold.
    m_pView->ReplaceSelection(part);
    SetModifiedFlag(false);
    m_pView->ResizeToText();
}

void CChirpwellDoc::OnUndo()
{
    m_pView->SetText(m_strUndoText);
    m_converter.CopySmilePlaces(m_undoConverter);
    m_pView->ResizeToText();
    m_bUndoAvailable = false;
}

void CChirpwellDoc::OnUpdateSelectionEffect(CCmdUI& cmdUI) const
{
    const CSelection selection = m_pView->GetSelection();
    cmdUI.m_bEnabled = selection.m_nStart != selection.m_nEnd;
}

void CChirpwellDoc::OnUpdateUndo(CCmdUI& cmdUI) const
{
    cmdUI.m_bEnabled = m_bUndoAvailable;
}
