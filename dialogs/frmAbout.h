#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;

namespace vantrel {

class SysInfoPlatform;

// The About dialog: the program's icon, name, version and credit lines, and a way to the Windows
// System Information tool. It keeps nothing between openings: each opening creates it afresh.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The credit lines as composed, with a carriage return between lines (the label shows them as
    // line breaks).
    QString description() const;

    // Finds and starts the System Information tool, or tells the user that it is unavailable.
    void StartSysInfo();

    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Tests replace the registry, the file search and the program starter; nullptr puts the
    // operating system's own back.
    static void setPlatformForTests(SysInfoPlatform* platform);

    // The application's title: the name the program gives itself, "Vantrel" unless it says otherwise.
    static QString applicationTitle();

protected:
    // Escape and the close box press OK, the dialog's cancel button.
    void reject() override;

private:
    void Form_Load();

    QString m_description;
    QLabel* m_picture;
    QLabel* m_title;
    QLabel* m_version;
    QLabel* m_descriptionLabel;
    QFrame* m_line;
    QPushButton* m_sysInfo;
    QPushButton* m_ok;
};

} // namespace vantrel
