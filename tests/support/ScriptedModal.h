#ifndef SCRIPTEDMODAL_H
#define SCRIPTEDMODAL_H

#include "KxModal.h"

#include <QDialog>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <functional>
#include <vector>

// The answer to one of the program's own dialogs: sets its controls as a
// person would, then the dialog counts as accepted.
struct ScriptedDialogAnswer {
    std::function<void(QDialog&)> fill;
};
Q_DECLARE_METATYPE(ScriptedDialogAnswer)

// Answers the program's dialogs from a script, and records what was asked,
// so no test ever waits in a modal loop for a person. A dialog asked for
// with no answer left is answered as cancelled and counted in `unanswered`.
class ScriptedModal : public KxModal
{
public:
    struct Request {
        enum Kind { OpenFile, SaveFile, Integer, Lab, Message, Dialog } kind;
        QString caption;
        QString text;   // the folder of a file dialog, the label of the integer dialog, the message text,
                        // the object name of a dialog of the program's own
        KxMessage message;
        int value = 0, minimum = 0, maximum = 0, step = 0; // the integer dialog's
        QString filter = QString(); // a file dialog's
        QVector3D lab = QVector3D(); // the Lab dialog's starting colour
        // The text of a dialog's check box, if it has one; for an open
        // dialog, as it was on opening: "[x] Average".
        QString option = {};
    };

    ScriptedModal() { KxModal::install(this); }
    ~ScriptedModal() override { KxModal::install(nullptr); }

    // Answers in order: a QString for a file dialog (null: cancel), an int for
    // the integer dialog and a QVector3D for the Lab dialog (a null QVariant:
    // cancel), a StandardButton for a box, a ScriptedDialogAnswer for a
    // dialog of the program's own (a null QVariant: cancel). An int leaves an
    // integer dialog's check box as it starts; answerWithOption sets it too.
    // An open dialog with a check box answered with a path alone leaves the
    // box as it was.
    void answer(const QVariant& reply) { replies.push_back(reply); }
    void answerWithOption(int value, bool option) { replies.push_back(QVariantList{value, option}); }
    void answerDialog(std::function<void(QDialog&)> fill)
    {
        replies.push_back(QVariant::fromValue(ScriptedDialogAnswer{std::move(fill)}));
    }
    void answerFile(const QString& path) { replies.push_back(QVariant(path)); }
    void answerFileWithOption(const QString& path, bool option) { replies.push_back(QVariantList{path, option}); }
    void cancel() { replies.push_back(QVariant()); }

    std::vector<Request> requests;
    int unanswered = 0;

    QStringList messageCaptions() const
    {
        QStringList captions;
        for (const Request& r : requests)
            if (r.kind == Request::Message)
                captions << r.caption;
        return captions;
    }

    QString getOpenFileName(QWidget*, const QString& caption, const QString& folder, const QString& filter) override
    {
        Request r{Request::OpenFile, caption, folder, {}};
        r.filter = filter;
        requests.push_back(r);
        return next().toString();
    }
    QString getSaveFileName(QWidget*, const QString& caption, const QString& folder, const QString& filter) override
    {
        Request r{Request::SaveFile, caption, folder, {}};
        r.filter = filter;
        requests.push_back(r);
        return next().toString();
    }
    QString getOpenFileNameWithOption(QWidget*, const QString& caption, const QString& folder, const QString& filter,
                                      const QString& optionText, bool& option) override
    {
        Request r{Request::OpenFile, caption, folder, {}};
        r.filter = filter;
        r.option = (option ? "[x] " : "[ ] ") + optionText;
        requests.push_back(r);
        const QVariant reply = next();
        if (reply.typeId() != QMetaType::QVariantList)
            return reply.toString();
        const QVariantList pathAndOption = reply.toList();
        option = pathAndOption.value(1).toBool();
        return pathAndOption.value(0).toString();
    }
    bool getInteger(QWidget* parent, const QString& caption, const QString& label, int value, int minimum,
                    int maximum, int step, int& result) override
    {
        bool noOption = false;
        return getIntegerWithOption(parent, caption, label, value, minimum, maximum, step, QString(), result,
                                    noOption);
    }
    bool getIntegerWithOption(QWidget*, const QString& caption, const QString& label, int value, int minimum,
                              int maximum, int step, const QString& optionText, int& result, bool& option) override
    {
        Request r{Request::Integer, caption, label, {}};
        r.value = value;
        r.minimum = minimum;
        r.maximum = maximum;
        r.step = step;
        r.option = optionText;
        requests.push_back(r);
        const QVariant reply = next();
        if (!reply.isValid())
            return false;
        if (reply.typeId() == QMetaType::QVariantList) {
            result = reply.toList().value(0).toInt();
            option = reply.toList().value(1).toBool();
        } else {
            result = reply.toInt();
        }
        return true;
    }
    bool getLab(QWidget*, const QString& caption, QVector3D& lab) override
    {
        Request r{Request::Lab, caption, QString(), {}};
        r.lab = lab;
        requests.push_back(r);
        const QVariant reply = next();
        if (!reply.isValid())
            return false;
        lab = reply.value<QVector3D>();
        return true;
    }
    QMessageBox::StandardButton message(const KxMessage& message) override
    {
        requests.push_back({Request::Message, message.caption, message.text, message});
        const QVariant reply = replies.empty() ? QVariant(int(QMessageBox::Ok)) : next();
        return static_cast<QMessageBox::StandardButton>(reply.isValid() ? reply.toInt() : int(QMessageBox::Ok));
    }

    bool runDialog(QDialog& dialog) override
    {
        requests.push_back({Request::Dialog, dialog.windowTitle(), dialog.objectName(), {}});
        const QVariant reply = next();
        if (!reply.canConvert<ScriptedDialogAnswer>())
            return false;
        reply.value<ScriptedDialogAnswer>().fill(dialog);
        return true;
    }

private:
    QVariant next()
    {
        if (replies.empty()) {
            ++unanswered;
            return QVariant();
        }
        QVariant reply = replies.front();
        replies.pop_front();
        return reply;
    }

    std::deque<QVariant> replies;
};

#endif
