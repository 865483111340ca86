// Start-up and the Quit command of the main window: the settings file is read when the window is
// created and written when the program ends.
#include "app/frmVantrel.h"

#include "settings/OptionCode.h"
#include "dialogs/frmAdvanced.h"
#include "engine/AppError.h"
#include "platform/DriveList.h"
#include "platform/FileList.h"
#include "platform/FolderList.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"
#include "platform/SystemSeams.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>

namespace vantrel {

namespace {

QString settingsPathIn(const QString& folder)
{
    return fromFileName(settings::settingsFilePath(toFileName(folder)));
}

} // namespace

void frmVantrel::Form_Load()
{
    try {
        Option1->setChecked(true);
        Option3->setEnabled(true);
        LastChoice = 1;

        // The settings live in the folder the program was started in.
        VantrelDir = QDir::toNativeSeparators(QDir::currentPath());
        if (!VantrelDir.endsWith(QDir::separator()))
            VantrelDir += QDir::separator();
        const QString settingsPath = settingsPathIn(VantrelDir);
        ErrorMsg = QStringLiteral("Opening ") + settingsPath;

        if (settings::touchSettingsFile(toFileName(settingsPath)) >= settings::kSmallestReadableSize) {
            settings::SettingsReader reader(toFileName(settingsPath));

            ErrorMsg = QStringLiteral("Loading Advanced Options");
            iniData = fromFileName(reader.readField());
            const double code = settings::toNumber(toFileName(iniData));
            int bank = advancedDialog()->bankValue();
            int pitch = advancedDialog()->pitchValue();
            const long long whole = static_cast<long long>(code);
            if (static_cast<double>(whole) == code && decodeOptionCode(whole, bank, pitch)) {
                advancedDialog()->setBankValue(bank);
                advancedDialog()->setPitchValue(pitch);
            }

            ErrorMsg = QStringLiteral("Loading Drive Designator");
            iniData = fromFileName(reader.readField());
            Drive1->setDrive(iniData);

            ErrorMsg = QStringLiteral("Loading FlightSim Path");
            iniData = fromFileName(reader.readField());
            const QString shownBefore = Dir1->path();
            Dir1->setPath(iniData);
            // Started in the saved folder itself, the folder list raises no change; the user still
            // expects that folder's aircraft to be listed.
            if (Dir1->path() == shownBefore)
                Dir1_Change();
        }

        advancedDialog()->setLabelText(
            QStringLiteral("Please select the default(s) you wish removed from Flight Simulator's Auto Pilot."));
        show();
    } catch (const AppError& error) {
        MessageBox::show(QString::fromStdString(error.report()) + QLatin1Char('\r') + ErrorMsg, MessageIcon::Warning,
                         QStringLiteral("Load ini Error"), this);
    }
}

void frmVantrel::cmdQuit_Click()
{
    // Quit is the one way out; once it has begun, nothing of the window runs again.
    if (m_quitting)
        return;
    m_quitting = true;

    // Every file of the program is already closed here: each procedure closes its own on every path.
    AirCraftDir = Dir1->path() + QDir::separator() + File1->fileName();
    // Saved is the installation's aircraft folder: the path up to the last "aircraft" + separator, so that
    // an installation below another folder named "Aircraft" is saved as itself.
    const int found = AirCraftDir.lastIndexOf(QStringLiteral("aircraft") + QDir::separator(), -1, Qt::CaseInsensitive);
    StartOfName = found < 0 ? 0 : found + 1 + 9;
    if (StartOfName > 0)
        AirCraftDir = AirCraftDir.left(StartOfName - 2);

    const std::string code = encodeOptionCode(advancedDialog()->bankValue(), advancedDialog()->pitchValue());
    if (!code.empty())
        options = QString::fromStdString(code);

    if (StartOfName != 0) {
        try {
            settings::writeSettingsFile(toFileName(settingsPathIn(VantrelDir)), toFileName(options),
                                        toFileName(Drive1->drive()), toFileName(AirCraftDir));
        } catch (const AppError& error) {
            MessageBox::show(QStringLiteral("The settings could not be saved.\r") +
                                 QString::fromStdString(error.report()),
                             MessageIcon::Warning, QStringLiteral("Vantrel"), this);
        }
    }
    ProgramEnd::end();
}

} // namespace vantrel
