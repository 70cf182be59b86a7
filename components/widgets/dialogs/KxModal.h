#ifndef KXMODAL_H
#define KXMODAL_H

#include <QMessageBox>
#include <QString>
#include <QVector3D>

class QDialog;
class QWidget;

// One message box as the program asks for it.
struct KxMessage {
    enum Kind { Information, Warning, Critical, About };
    Kind kind = Information;
    QWidget* parent = nullptr;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    Qt::WindowFlags extraFlags;
    QString objectName;
};

// Every modal interaction of the program (file dialogs, the integer and Lab
// dialogs, message boxes and the program's own dialogs) goes through the current KxModal. The program answers
// with the real Qt dialogs; tests install one that gives scripted replies.
class KxModal
{
public:
    virtual ~KxModal() = default;

    // File dialogs start in folder and do not resolve symbolic links. The
    // filter offers file types in QFileDialog's form, ";;" between them
    // ("PostScript (*.ps);;All files (*)"); empty shows every file. A null
    // string means cancelled.
    virtual QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter = QString()) = 0;
    virtual QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter = QString()) = 0;
    // An open dialog with one check box, labelled optionText, under the file
    // list. option gives the box's state on opening and, when a file was
    // chosen, takes its state on closing.
    virtual QString getOpenFileNameWithOption(QWidget* parent, const QString& caption, const QString& folder,
                                              const QString& filter, const QString& optionText, bool& option) = 0;
    // An open dialog for an ICC profile: where no folder is remembered yet, it
    // starts in the first of the desktop's ICC profile folders.
    QString getOpenProfileName(QWidget* parent, const QString& caption, const QString& rememberedFolder);
    // True when the user accepted; the value is then in result.
    virtual bool getInteger(QWidget* parent, const QString& caption, const QString& label,
                            int value, int minimum, int maximum, int step, int& result) = 0;
    // The integer dialog with a check box labelled optionText below the
    // number. True when the user accepted; the value is then in result and
    // the box's state in option, which holds its starting state.
    virtual bool getIntegerWithOption(QWidget* parent, const QString& caption, const QString& label, int value,
                                      int minimum, int maximum, int step, const QString& optionText, int& result,
                                      bool& option) = 0;
    // A D50 Lab colour: L 0..100, a and b -128..127. True when the user
    // accepted; the colour is then in lab, which holds the starting values.
    virtual bool getLab(QWidget* parent, const QString& caption, QVector3D& lab) = 0;
    // Shows the box and returns the button pressed.
    virtual QMessageBox::StandardButton message(const KxMessage& message) = 0;
    // Runs one of the program's own dialogs, built and read by its caller.
    // True when the user accepted it.
    virtual bool runDialog(QDialog& dialog) = 0;

    static KxModal& current();
    // Makes modal the current one (not owned); null brings back the Qt dialogs.
    static void install(KxModal* modal);
};

// The real dialogs.
class KxQtModal : public KxModal
{
public:
    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
    QString getOpenFileNameWithOption(QWidget* parent, const QString& caption, const QString& folder,
                                      const QString& filter, const QString& optionText, bool& option) override;
    bool getInteger(QWidget* parent, const QString& caption, const QString& label,
                    int value, int minimum, int maximum, int step, int& result) override;
    bool getIntegerWithOption(QWidget* parent, const QString& caption, const QString& label, int value,
                              int minimum, int maximum, int step, const QString& optionText, int& result,
                              bool& option) override;
    bool getLab(QWidget* parent, const QString& caption, QVector3D& lab) override;
    QMessageBox::StandardButton message(const KxMessage& message) override;
    bool runDialog(QDialog& dialog) override;
};

#endif
