#pragma once

#include "app/frmVantrel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class QListWidget;
class QPushButton;

namespace vantrel::test {

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
QString join(const QString& folder, const QString& name);

// An aircraft.cfg of a few sections with its [autopilot] section in the middle: lines A, [autopilot], B, C, D
// of the worked example, each ended by CR LF.
QByteArray plainCfg(const QString& title = QStringLiteral("Trainer"));
// The same file after the wing leveler has been switched off with FS2004's lines.
QByteArray modifiedCfg(const QString& title = QStringLiteral("Trainer"));

// A simulator folder with its executable and an "Aircraft" folder beside it.
struct Installation
{
    QString root;           // the simulator folder
    QString aircraftFolder; // root + "Aircraft"

    QString addAircraft(const QString& name, const QByteArray& cfg,
                        const QString& cfgName = QStringLiteral("aircraft.cfg"));
    QString addFolder(const QString& name); // an aircraft folder without aircraft.cfg
    QString cfgPath(const QString& name) const;
};

Installation makeInstallation(const QString& root, const QString& executable = QStringLiteral("fs9.exe"));

// Everything a window test needs: a fresh current folder (holding the settings file), message boxes
// recorded instead of shown, a silent beep, and a program end that only counts.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    frmVantrel& window(); // created on first use, in the current folder
    void startUp();       // creates the window and runs its load handler
    void destroyWindow();

    template <class T> T* child(const char* name)
    {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void navigateTo(const QString& folder);
    QStringList list2Entries();
    QStringList list1Entries();
    QStringList selectedEntries();
    void clickEntry(int row);     // a user's click on entry `row` of List2
    bool shown(const char* name); // the control is set visible
    QString settingsPath() const;
    QStringList messages() const; // "title|text" of every box shown so far
    void clearMessages();

    QTemporaryDir m_work;    // installations go here
    QTemporaryDir m_current; // the current folder during the test
    QString m_previousCurrent;
    std::unique_ptr<frmVantrel> m_window;
    int m_endCallsBefore = 0;
};

} // namespace vantrel::test
