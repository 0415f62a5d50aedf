#ifndef CHIRPWELL_DOCUMENT_COMMANDIDS_H
#define CHIRPWELL_DOCUMENT_COMMANDIDS_H

// Every command of the program. The numbers are the program's own since its first
// version; menus, keys and buttons send them, and the recent-file entries take the
// eight from ID_FILE_MRU_FILE1 on.

inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_FILE8 = 57623;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_FIND = 57636;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

inline constexpr int ID_RELOAD = 32771;
inline constexpr int ID_FONT = 32772;
inline constexpr int ID_BACK_COLOR = 32773;
inline constexpr int ID_AUTO_RESIZE = 32774;
inline constexpr int ID_CENSOR = 32777;
inline constexpr int ID_SMILE_AGAIN = 32779;
inline constexpr int ID_SMILE_WITH_FILE = 32780;
inline constexpr int ID_SETTINGS = 32781;
inline constexpr int ID_LAUNCH_HELP = 32782;
inline constexpr int ID_REVERSE = 32783;
inline constexpr int ID_SEARCH_DOWN = 32786;
inline constexpr int ID_SEARCH_UP = 32787;
inline constexpr int ID_UNDO = 32789;
inline constexpr int ID_MINIMIZE = 32790;

// Encodings, beyond the first version.
inline constexpr int ID_REOPEN_DETECT = 32791;
inline constexpr int ID_REOPEN_SHIFT_JIS = 32792;
inline constexpr int ID_REOPEN_UTF8 = 32793;
inline constexpr int ID_REOPEN_EUC_JP = 32794;
inline constexpr int ID_DETECT_ENCODING = 32795;
inline constexpr int ID_SAVE_SHIFT_JIS = 32796;
inline constexpr int ID_SAVE_UTF8 = 32797;
inline constexpr int ID_SAVE_EUC_JP = 32798;
inline constexpr int ID_REOPEN_ISO2022JP = 32799;
inline constexpr int ID_REOPEN_UTF16 = 32800;
inline constexpr int ID_REOPEN_UTF16LE = 32801;
inline constexpr int ID_REOPEN_UTF16BE = 32802;
inline constexpr int ID_REOPEN_SHIFT_JIS_2004 = 32803;
inline constexpr int ID_REOPEN_EUC_JIS_2004 = 32804;
inline constexpr int ID_SAVE_ISO2022JP = 32805;
inline constexpr int ID_SAVE_UTF16 = 32806;
inline constexpr int ID_SAVE_UTF16LE = 32807;
inline constexpr int ID_SAVE_UTF16BE = 32808;
inline constexpr int ID_SAVE_SHIFT_JIS_2004 = 32809;
inline constexpr int ID_SAVE_EUC_JIS_2004 = 32810;

#endif
