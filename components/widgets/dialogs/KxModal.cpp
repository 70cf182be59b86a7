#include "KxModal.h"

#include "KxIccFolders.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

namespace {

KxModal* installed = nullptr;

// Pixels of a title bar that its icon and buttons take, on a generous guess.
constexpr int TITLE_BAR_ALLOWANCE = 180;

// A spin box for a whole number, its text selected to be typed over.
QSpinBox* integerSpin(QDialog& dialog, int value, int minimum, int maximum, int step)
{
    auto* spin = new QSpinBox(&dialog);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(step);
    spin->setValue(value);
    spin->selectAll();
    return spin;
}

// OK and Cancel, which accept and reject the dialog.
QDialogButtonBox* okAndCancel(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

// Runs a small dialog, wide enough for its whole caption: a window manager
// cuts a title wider than its window short. True when accepted.
bool accepted(QDialog& dialog, const QString& caption)
{
    dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + TITLE_BAR_ALLOWANCE);
    return dialog.exec() == QDialog::Accepted;
}

// Lists the ICC profile folders in a file dialog's side bar, after the
// places the toolkit offers, and runs it.
QString runFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode)
{
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

QString runFileDialog(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                      QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, folder, filter);
    return runFileDialog(dialog, mode);
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

QString KxQtModal::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter)
{
    return runFileDialog(parent, caption, folder, filter, QFileDialog::AcceptOpen);
}

QString KxQtModal::getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter)
{
    return runFileDialog(parent, caption, folder, filter, QFileDialog::AcceptSave);
}

QString KxQtModal::getOpenFileNameWithOption(QWidget* parent, const QString& caption, const QString& folder,
                                             const QString& filter, const QString& optionText, bool& option)
{
    QFileDialog dialog(parent, caption, folder, filter);
    // The toolkit's own dialog, whose grid layout takes the check box as a
    // last row; a desktop's native dialog has no room for it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* box = new QCheckBox(optionText, &dialog);
    box->setChecked(option);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid)
        grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
    const QString path = runFileDialog(dialog, QFileDialog::AcceptOpen);
    if (!path.isNull())
        option = box->isChecked();
    return path;
}

bool KxQtModal::getInteger(QWidget* parent, const QString& caption, const QString& label,
                           int value, int minimum, int maximum, int step, int& result)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(label, &dialog));
    QSpinBox* spin = integerSpin(dialog, value, minimum, maximum, step);
    layout->addWidget(spin);
    layout->addWidget(okAndCancel(dialog));
    if (!accepted(dialog, caption))
        return false;
    result = spin->value();
    return true;
}

bool KxQtModal::getIntegerWithOption(QWidget* parent, const QString& caption, const QString& label, int value,
                                     int minimum, int maximum, int step, const QString& optionText, int& result,
                                     bool& option)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    QSpinBox* number = integerSpin(dialog, value, minimum, maximum, step);
    auto* text = new QLabel(label, &dialog);
    text->setBuddy(number);
    auto* box = new QCheckBox(optionText, &dialog);
    box->setChecked(option);
    layout->addWidget(text);
    layout->addWidget(number);
    layout->addWidget(box);
    layout->addWidget(okAndCancel(dialog));
    number->setFocus();
    if (!accepted(dialog, caption))
        return false;
    result = number->value();
    option = box->isChecked();
    return true;
}

bool KxQtModal::getLab(QWidget* parent, const QString& caption, QVector3D& lab)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* form = new QFormLayout(&dialog);
    auto addChannel = [&](const char* name, double minimum, double maximum, float value) {
        auto* spin = new QDoubleSpinBox(&dialog);
        spin->setDecimals(1);
        spin->setRange(minimum, maximum);
        spin->setValue(double(value));
        form->addRow(QString::fromLatin1(name), spin);
        return spin;
    };
    QDoubleSpinBox* L = addChannel("L", 0.0, 100.0, lab.x());
    QDoubleSpinBox* a = addChannel("a", -128.0, 127.0, lab.y());
    QDoubleSpinBox* b = addChannel("b", -128.0, 127.0, lab.z());
    form->addRow(okAndCancel(dialog));
    if (!accepted(dialog, caption))
        return false;
    lab = QVector3D(float(L->value()), float(a->value()), float(b->value()));
    return true;
}

bool KxQtModal::runDialog(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
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
