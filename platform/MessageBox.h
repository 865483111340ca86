#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace vantrel {

enum class MessageIcon { None, Warning, Information };

// Every message box of the program goes through here. Tests switch on recording, so that a box
// is remembered instead of shown and nothing blocks on a modal loop.
class MessageBox
{
public:
    struct Record
    {
        QString text;
        MessageIcon icon = MessageIcon::None;
        QString title;
    };

    // Shows an OK-only box. A carriage return in the text starts a new line.
    static void show(const QString& text, MessageIcon icon, const QString& title, QWidget* parent = nullptr);

    static void startRecording();
    static void stopRecording();
    static bool isRecording();
    static const QList<Record>& records();
    static void clearRecords();
};

} // namespace vantrel
