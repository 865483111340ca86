#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vantrel {

// The Advanced options dialog: which autopilot defaults the removal switches off. Its two boxes
// are the program's only record of that choice; the dialog is created once and afterwards only
// shown and hidden, so the boxes keep their values for the removal and for Quit.
class frmAdvanced : public QDialog
{
    Q_OBJECT

public:
    // `mainWindow` is repainted by Done; `returnToMode` puts the main window back into its last mode.
    frmAdvanced(QWidget* mainWindow, std::function<void()> returnToMode);

    // Box values as the program stores them: 0 not ticked, 1 ticked.
    int bankValue() const;
    int pitchValue() const;
    void setBankValue(int value);
    void setPitchValue(int value);

    void setLabelText(const QString& text);
    QString labelText() const;

    void cmdDone_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Form_Load();
    void applyFont();

    QWidget* m_mainWindow;
    std::function<void()> m_returnToMode;
    QGroupBox* m_frame;
    QLabel* m_label;
    QCheckBox* m_bank;
    QCheckBox* m_pitch;
    QPushButton* m_done;
};

} // namespace vantrel
