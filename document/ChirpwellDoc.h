#ifndef CHIRPWELL_DOCUMENT_CHIRPWELLDOC_H
#define CHIRPWELL_DOCUMENT_CHIRPWELLDOC_H

#include <optional>
#include <string>

#include "document/CommandRouter.h"
#include "document/DocumentFile.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"

class IClock;
class IDocFrame;
class IDocView;
class IProfile;
class IProgressFactory;
class IPrompter;
class IWorkingDirectory;
struct CCmdUI;

// Everything outside the document that it talks to. All must outlive it.
struct CDocPorts {
    IPrompter& m_prompter;
    IProgressFactory& m_progressFactory;
    IProfile& m_profile;
    IClock& m_clock;
    IWorkingDirectory& m_workingDirectory;
    IDocFrame& m_frame;
};

// The program's one document: the converter every smile is made with, the
// open-and-smile pipeline, the commands on the text and the one-level undo. The
// text itself lives in the view, which must be attached before any command runs.
// Paths are file-system bytes; texts CP932.
class CChirpwellDoc {
public:
    // Enters the profile's working directory, then loads the converter's settings
    // and the smile set they name.
    explicit CChirpwellDoc(const CDocPorts& ports);
    // Writes the converter's settings back.
    ~CChirpwellDoc();
    CChirpwellDoc(const CChirpwellDoc&) = delete;
    CChirpwellDoc& operator=(const CChirpwellDoc&) = delete;

    void SetView(IDocView* view) { m_pView = view; }

    // Reads the file into the view and, once the view is ready, smiles it. False,
    // after a message, when the file cannot be read; nothing then changes.
    bool OnOpenDocument(const std::string& path);
    // What opening a file by name does (the open command, a recent file, a drop, the
    // command line): OnOpenDocument, then the path becomes the document's and goes
    // to the top of the recent files.
    bool OpenDocumentFile(const std::string& path);
    // A new, untitled document with an empty text.
    void OnNewDocument();

    enum class EArchive { Load, Store };
    // Load: the file's text, in the encoding chosen for reading it, becomes the view's
    // text as CP932 (a Shift_JIS file byte for byte). Store: the view's text, in the
    // encoding chosen for saving, is written to the file whole, or the file is left as
    // it was. False after a message.
    bool Serialize(EArchive direction, const std::string& path);

    // How the document's file is read. A choice other than AsSettingsSay holds for
    // the file's reloads, not for the next file.
    using EReadEncoding = ::EReadEncoding;
    // Reads the document's file again, as encoding says; nothing changes when it
    // cannot be read so.
    void OnReopenWithEncoding(EReadEncoding encoding);
    // The encoding the next save writes: UTF-8 keeps a byte-order mark that the
    // document's file had, and UTF-16 with a mark the order of its mark.
    void OnSaveEncoding(EEncoding encoding);
    void OnUpdateSaveEncoding(CCmdUI& cmdUI, EEncoding encoding) const;
    EEncoding Encoding() const { return m_eEncoding; }
    // The open text's codec, through which every text and smile file is read.
    CCodec& Codec() { return m_codec; }
    const CCodec& Codec() const { return m_codec; }

    // Filters and smiles the view's text with converter (the document's own or a
    // temporary one), keeping the text before it for undo. False, after a message,
    // when the result would be too long; the text then stays as it was.
    bool RunSmilePipeline(CConverter& converter);

    // The view's first initial update: the document becomes ready and a file read
    // before that is opened again, now smiled. True the first time only.
    bool OnViewInitialUpdate();

    void OnReload();
    void OnSmileAgain();
    void OnSmileWithFile();
    void OnSettings();
    void OnFileSaveAs();
    void OnSearchDown();
    void OnSearchUp();
    void OnCensor();
    void OnReverse();
    void OnUndo();
    void OnUpdateSelectionEffect(CCmdUI& cmdUI) const;
    void OnUpdateUndo(CCmdUI& cmdUI) const;

    // The document's commands, for the router.
    const CCommandMap& Commands() const { return m_commands; }

    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path, bool addToRecentFiles);
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified) { m_bModified = modified; }

    bool IsViewReady() const { return m_bViewReady; }
    bool IsUndoAvailable() const { return m_bUndoAvailable; }
    CConverter& Converter() { return m_converter; }
    const CConverter& UndoConverter() const { return m_undoConverter; }
    const std::string& UndoText() const { return m_strUndoText; }

private:
    enum class EEffect { Censor, Reverse };
    void ApplySelectionEffect(EEffect effect);
    void SelectSmilePlace(const std::optional<CSmilePlace>& place);
    // Tells the frame whether the smile file of the settings left no set in force.
    void UpdateSmileSetNotice();
    void BuildCommands();
    void SetEncoding(EEncoding encoding);
    // The codec of a text that becomes the document's; false when the smile set in
    // force could not be encoded for it, after a message.
    bool TakeCodec(CCodec&& codec);

    CDocPorts m_ports;
    IDocView* m_pView = nullptr;
    CRandom m_random;  // shared by both converters and every temporary one
    CCodec m_codec;        // the open text's; the converters read smile files through it
    CDocumentFile m_file;
    EEncoding m_eEncoding = EEncoding::ShiftJis;
    EEncoding m_eSaveEncoding = EEncoding::ShiftJis;
    EReadEncoding m_eReadEncoding = EReadEncoding::AsSettingsSay;
    std::string m_strPathName;
    bool m_bModified = false;

    bool m_bViewReady = false;
    bool m_bSmileSetEncoded = true;  // for the text read last
    CConverter m_converter;
    std::string m_strUndoText;
    CConverter m_undoConverter;  // only its smile places are used
    bool m_bUndoAvailable = false;

    CCommandMap m_commands;
};

#endif
