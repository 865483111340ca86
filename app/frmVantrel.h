#pragma once

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vantrel {

class DriveList;
class FileList;
class FolderList;
class frmAdvanced;

// The main window and the owner of all of the program's logic. Its procedures take no arguments
// and talk to each other through the public variables below, as the rest of the program expects.
class frmVantrel : public QWidget
{
    Q_OBJECT

public:
    explicit frmVantrel(QWidget* parent = nullptr);
    ~frmVantrel() override;

    // Shared state, in declaration order. Strings start empty, booleans false, integers 0.
    QString Data;           // the aircraft.cfg line read last
    QString iniData;        // the settings field read last
    QString options;        // option code written by Quit
    QString CfgFileName;    // aircraft.cfg being examined or rewritten
    QString AirCraftName;   // display name of the aircraft examined last
    bool Modified = false;  // the aircraft.cfg examined last carries a wing-leveler line
    QString VantrelDir;     // folder of the settings file, ending in a separator
    QString AirCraftDir;    // aircraft folder saved by Quit
    int x = 0;              // index of the list entry being processed
    bool SelectAll = false; // true while "All" rebuilds the list
    QString ErrorMsg;       // step under way, shown on the last line of an error report
    int StartOfName = 0; // scans: where an aircraft's name starts (1-based); Quit: just behind "aircraft" + separator
    int EndOfName = 0;   // where an aircraft's name ends
    bool BackupDone = false;
    QString FS2004_Directory_Name;
    bool Pitch = false;
    bool Bank = false;
    int LastChoice = 0; // mode chosen last: 1 Remove, 2 Restore
    QString MyFile;     // "fs9.exe", "fs2000.exe" or empty
    int FindBank = 0;   // position of "default_bank" in the current line, 0 when absent
    int FindPitch = 0;  // position of "default_pitch" in the current line, 0 when absent

    // Event handlers.
    void Form_Load();
    void Form_Unload();
    void Form_Terminate();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Label4_Click();
    void Drive1_Change();
    void Dir1_Change();
    void List2_Click();
    void cmdAll_Click();
    void cmdNo_Click();
    void cmdYes_Click();
    void cmdQuit_Click();

    // The Advanced dialog, created on first touch and kept for the life of the program.
    frmAdvanced* advancedDialog();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class WindowProbe; // lets the tests reach the private procedures

    void CheckFile();
    void AddFF();
    void LoadListRemove();
    void LoadListRestore();

    enum class ScanKind { Remove, Restore };
    void loadList(ScanKind kind);
    void hideListArea();
    void setSelectionButtons(bool modify, bool clear, bool all);
    bool currentIsMessageEntry() const;
    void returnToLastMode();
    void createControls();
    void applyFonts();

    QGroupBox* frmLeveler = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option3 = nullptr;
    QListWidget* List2 = nullptr;
    QListWidget* List1 = nullptr;
    QGroupBox* frmDriveDialog = nullptr;
    DriveList* Drive1 = nullptr;
    QLabel* Label2 = nullptr;
    FolderList* Dir1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    FileList* File1 = nullptr;
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdAll = nullptr;
    QPushButton* cmdNo = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* Label4 = nullptr;

    frmAdvanced* m_advanced = nullptr;
    bool m_listAreaShown = false; // navigation accepted the folder: the list area is on screen
    int m_scanDepth = 0;          // list notifications are folded into one run per scan
    bool m_checkFailed = false;   // the last CheckFile could not read its file
    bool m_quitting = false;
};

} // namespace vantrel
