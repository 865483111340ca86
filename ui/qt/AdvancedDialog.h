#pragma once

#include <QDialog>

#include <string>

class QCheckBox;

namespace vantrel::qt {

// The Advanced options dialog: which autopilot defaults the removal switches off. It shows the boxes and the
// instruction that the program gives it and reports each click; the program decides when it goes away. Its
// close box and Escape ask for Done, like the button.
class AdvancedDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AdvancedDialog(QWidget* mainWindow);

    // Box values as the program holds them: 0 not ticked, 1 ticked.
    void render(int bank, int pitch, const std::string& label);

signals:
    void bankSet(int value);
    void pitchSet(int value);
    void doneRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void applyFont();
    QCheckBox* bank() const;
    QCheckBox* pitch() const;
};

} // namespace vantrel::qt
