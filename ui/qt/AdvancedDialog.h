#pragma once

#include "ui/qt/ControlBuilder.h"

#include <QDialog>

#include <string>

class QCheckBox;

namespace vantrel::qt {

// The Advanced options dialog: which autopilot defaults the removal switches off. It shows the boxes and the
// instruction that the program gives it and hands each click to the program through `fire`; the program decides
// when it goes away. Its close box and Escape count as Done, like the button.
class AdvancedDialog : public QDialog
{
    Q_OBJECT

public:
    AdvancedDialog(QWidget* mainWindow, Fire fire);

    // Box values as the program holds them: 0 not ticked, 1 ticked.
    void render(int bank, int pitch, const std::string& label);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void applyFont();
    void requestDone();
    QCheckBox* bank() const;
    QCheckBox* pitch() const;

    Fire fire_;
};

} // namespace vantrel::qt
