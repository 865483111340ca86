#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace vantrel {

namespace {
bool g_recording = false;
QList<MessageBox::Record>& recordList()
{
    static QList<MessageBox::Record> list;
    return list;
}
} // namespace

void MessageBox::show(const QString& text, MessageIcon icon, const QString& title, QWidget* parent)
{
    if (g_recording) {
        recordList().append({text, icon, title});
        return;
    }
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    switch (icon) {
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setWindowTitle(title);
    // The program composes its reports with a lone carriage return between the error and the step
    // under way; a label only breaks lines at line feeds.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void MessageBox::startRecording()
{
    g_recording = true;
    recordList().clear();
}

void MessageBox::stopRecording()
{
    g_recording = false;
}

bool MessageBox::isRecording()
{
    return g_recording;
}

const QList<MessageBox::Record>& MessageBox::records()
{
    return recordList();
}

void MessageBox::clearRecords()
{
    recordList().clear();
}

} // namespace vantrel
