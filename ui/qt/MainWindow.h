#pragma once

#include "form/View.h"
#include "ui/qt/ControlBuilder.h"

#include <QList>
#include <QWidget>

#include <cstdint>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vantrel::form {
class frmVantrel;
}

namespace vantrel::qt {

class AdvancedDialog;
class DriveComboBox;
class FolderListWidget;
class SelectionList;

// The main window in Qt: it builds the controls of the design, draws what the program gives it and passes the
// user's clicks on to the program. It decides nothing itself. Each control's object name is its design name.
class MainWindow : public QWidget, public form::View
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The program whose window this is; it must be set before the window is used and outlive it.
    void setPresenter(form::frmVantrel* presenter);

    void render(const form::WindowState& state) override;
    void showMessage(const std::string& text, form::MessageIcon icon, const std::string& title) override;
    void beep() override;
    void setBusy(bool busy) override;
    void showAdvanced() override;
    void hideAdvanced() override;
    void showAbout() override;
    void refresh() override;
    // Nothing may run after Quit: no close events, no further handlers. Files are closed by their owners
    // before this point, so a plain process exit loses nothing.
    void endProgram() override;
    std::vector<int> shownSelection() const override;
    void setWorking(bool working) override;
    void stayResponsive(const form::WindowState& state) override;

    // The Advanced dialog, once the program has shown it (null before).
    AdvancedDialog* advancedDialog() const { return advanced_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    // Runs the program's handler of a connection of the wiring table; the program draws what it left.
    Fire toProgram();
    void applyFonts();
    void fitScripts(QListWidget* list);
    // The option buttons in the table's order: button i is option i + 1 of the program.
    QList<QRadioButton*> optionButtons() const;
    void renderOptions(const form::WindowState& state);
    void renderBrowser(const form::WindowState& state);
    void renderList(const form::WindowState& state);
    // Runs one of the program's event handlers, then draws what it left.
    template <typename... Params, typename... Args>
    void forward(void (form::frmVantrel::*handler)(Params...), const Args&... args);
    // An arrow key on option button `button`: the next one that can be chosen is chosen and gets the focus.
    bool moveAmongOptions(QRadioButton* button, int key);

    form::frmVantrel* presenter_ = nullptr;

    QRadioButton* Option3 = nullptr;
    SelectionList* List2 = nullptr;
    DriveComboBox* Drive1 = nullptr;
    QLabel* Label2 = nullptr;
    FolderListWidget* Dir1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdAll = nullptr;
    QPushButton* cmdNo = nullptr;
    QPushButton* cmdQuit = nullptr;
    AdvancedDialog* advanced_ = nullptr;

    // What the long lists show, so that they are refilled only when the program changed them.
    static constexpr std::uint64_t kNeverDrawn = ~std::uint64_t(0);
    const void* driveModel_ = nullptr;
    std::uint64_t driveRevision_ = kNeverDrawn;
    const void* folderModel_ = nullptr;
    std::uint64_t folderRevision_ = kNeverDrawn;
    std::uint64_t list2Revision_ = kNeverDrawn;
    std::uint64_t selectionRevision_ = kNeverDrawn;
    // The Advanced dialog's boxes and instruction as the program left them.
    int chkBank_ = 1;
    int chkPitch_ = 1;
    std::string advancedLabel_;
    int busyDepth_ = 0;
    // Drops the user's clicks and key presses while long work lets the window handle its events.
    class InputDropper;
    InputDropper* dropper_ = nullptr;
    bool dropping_ = false;
};

} // namespace vantrel::qt
