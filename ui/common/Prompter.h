#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

namespace kestrune {

class UserError;

// Every message box and dialog the application shows goes through this interface, so that
// tests can answer it and check the exact text, caption, buttons and icon.
// SaveDiscardCancel shows 保存 / 破棄 / キャンセル and answers Yes / No / Cancel.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, SaveDiscardCancel };
enum class PromptIcon { None, Information, Warning, Question, Error };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct PromptRequest {
    QString text;
    QString caption;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
};

struct FileDialogRequest {
    QString caption;
    QString directory;       // start directory
    QString fileName;        // proposed name
    QStringList filters;     // "物理量の設定ファイル (*.phy)" style
    QString selectedFilter;  // the type shown first (one of `filters`); else the first
    QString defaultSuffix;   // without the dot
    bool mustExist = false;  // open dialogs
    bool confirmOverwrite = false;
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A modal message box; returns the button pressed (closing the box answers Cancel/No/Ok).
    virtual PromptAnswer ask(const PromptRequest& request) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    // The save dialog of every page: the name the user gave made to end in the extension of the
    // file type chosen (fileNameForType), so that the bytes written always match the name. Where
    // the request asks for it, an existing file of that final name is confirmed here, and "No"
    // returns to the dialog. `chosenFilter`, when given, receives the file type the user chose
    // (one of `filters`). An empty result means cancelled.
    QString saveFileName(const FileDialogRequest& request, QString* chosenFilter = nullptr);
    // The save dialog itself: the name as the user gave it and the type chosen; no overwrite
    // question (saveFileName asks it about the final name).
    virtual QString chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) = 0;
    virtual QString existingDirectory(const QString& caption, const QString& start) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    // The print dialog; true when the user chose to print.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Runs one of the application's own modal dialogs and returns its result code.
    virtual int runDialog(QDialog& dialog) = 0;
};

// The extensions of a file type such as "HTML文書 (*.htm *.html)", lower case without the dot:
// {"htm", "html"}; none for "(*)".
QStringList filterExtensions(const QString& filter);
// The name a save dialog writes for `name` with the file type `chosenFilter` of `filters`: a
// name ending in one of the chosen type's extensions stays; one ending in another type's
// extension of the same dialog has it replaced; any other name gets the type's first extension.
QString fileNameForType(const QString& name, const QString& chosenFilter, const QStringList& filters);

// The standard error box for a failure a user caused: the error's caption (or the
// application title) with the error icon and OK.
void showError(Prompter& prompter, const UserError& error);
void showError(Prompter& prompter, const QString& text);

// The real dialogs, parented to a window.
class WidgetPrompter : public Prompter {
  public:
    explicit WidgetPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer ask(const PromptRequest& request) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString chooseSaveFileName(const FileDialogRequest& request, QString* chosenFilter) override;
    QString existingDirectory(const QString& caption, const QString& start) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool choosePrinter(QPrinter& printer) override;
    int runDialog(QDialog& dialog) override;

  private:
    QWidget* parent_;
};

// "Kestrune for Windows95/NT": the application title and main window caption.
QString applicationTitle();

}  // namespace kestrune
