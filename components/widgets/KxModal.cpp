#include "KxModal.h"

#include "KxIccFolders.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QUrl>

namespace {

KxModal* installed = nullptr;

// A file dialog that lists the ICC profile folders in its side bar, after
// the places the toolkit offers.
QString runFileDialog(QWidget* parent, const QString& caption, const QString& folder, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontResolveSymlinks);
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& iccFolder : KxIccFolders::existing()) {
        const QUrl place = QUrl::fromLocalFile(iccFolder);
        if (!places.contains(place))
            places << place;
    }
    dialog.setSidebarUrls(places);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QMessageBox::Icon iconFor(KxMessage::Kind kind)
{
    switch (kind) {
    case KxMessage::Information:
        return QMessageBox::Information;
    case KxMessage::Warning:
        return QMessageBox::Warning;
    case KxMessage::Critical:
        return QMessageBox::Critical;
    case KxMessage::About:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

KxModal& KxModal::current()
{
    static KxQtModal qtDialogs;
    return installed ? *installed : qtDialogs;
}

void KxModal::install(KxModal* modal)
{
    installed = modal;
}

QString KxModal::getOpenProfileName(QWidget* parent, const QString& caption, const QString& rememberedFolder)
{
    return getOpenFileName(parent, caption, KxIccFolders::startFolder(rememberedFolder));
}

QString KxQtModal::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder)
{
    return runFileDialog(parent, caption, folder, QFileDialog::AcceptOpen);
}

QString KxQtModal::getSaveFileName(QWidget* parent, const QString& caption, const QString& folder)
{
    return runFileDialog(parent, caption, folder, QFileDialog::AcceptSave);
}

bool KxQtModal::getInteger(QWidget* parent, const QString& caption, const QString& label,
                           int value, int minimum, int maximum, int step, int& result)
{
    bool accepted = false;
    const int chosen = QInputDialog::getInt(parent, caption, label, value, minimum, maximum, step, &accepted);
    if (accepted)
        result = chosen;
    return accepted;
}

QMessageBox::StandardButton KxQtModal::message(const KxMessage& message)
{
    if (message.kind == KxMessage::About) {
        QMessageBox::about(message.parent, message.caption, message.text);
        return QMessageBox::Ok;
    }
    QMessageBox box(iconFor(message.kind), message.caption, message.text, message.buttons, message.parent,
                    Qt::Dialog | message.extraFlags);
    if (!message.objectName.isEmpty())
        box.setObjectName(message.objectName);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
