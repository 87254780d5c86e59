#pragma once
// Modal boxes and the common file dialog, through one replaceable service so
// that tests can answer them from a script and see every box that was shown.
#include <functional>
#include <memory>
#include <string>

// Buttons and icons of a message box, and the answers.
enum MsgBoxStyle {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
};
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string filter;       // "Text (*.txt)|*.txt|All files (*.*)|*.*"
    int filterIndex = 1;      // 1-based; read back after the dialog
    std::string initDir;
    std::string defaultExt;   // without the dot
    std::string fileName;     // preset; the chosen path afterwards
    bool showReadOnly = false;
    bool readOnly = false;    // preset; read back after the dialog
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual int msgBox(const std::string& text, int style, const std::string& title) = 0;
    // False when cancelled.
    virtual bool inputBox(const std::string& prompt, const std::string& title, const std::string& def,
                          std::string& answer) = 0;
    // False when cancelled.
    virtual bool fileDialog(FileDialogRequest& req) = 0;
    // A modal box with one button (`stopCaption`) that stays up while `step`
    // returns true; the event loop runs meanwhile. `step` is called at once
    // and then about every 100 ms, and sets the text shown. True when the
    // user pressed the button. This default shows nothing and cannot be
    // stopped.
    virtual bool waitBox(const std::string& title, const std::string& stopCaption,
                         const std::function<bool(std::string& text)>& step);
};

// Installs a service (nullptr: the Qt one). The caller keeps ownership.
void SetDialogService(DialogService* service);
DialogService& Dialogs();

int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = "");
// "" when cancelled, as the old InputBox.
std::string InputBox(const std::string& prompt, const std::string& title = "", const std::string& def = "");
bool ShowFileDialog(FileDialogRequest& req);
bool WaitBox(const std::string& title, const std::string& stopCaption,
             const std::function<bool(std::string& text)>& step);
