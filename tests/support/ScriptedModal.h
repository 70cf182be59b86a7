#ifndef SCRIPTEDMODAL_H
#define SCRIPTEDMODAL_H

#include "KxModal.h"

#include <QStringList>
#include <QVariant>
#include <deque>
#include <vector>

// Answers the program's dialogs from a script, and records what was asked,
// so no test ever waits in a modal loop for a person. A dialog asked for
// with no answer left is answered as cancelled and counted in `unanswered`.
class ScriptedModal : public KxModal
{
public:
    struct Request {
        enum Kind { OpenFile, SaveFile, Integer, Lab, Message } kind;
        QString caption;
        QString text;   // the folder of a file dialog, the label of the integer dialog, the message text
        KxMessage message;
        int value = 0, minimum = 0, maximum = 0, step = 0; // the integer dialog's
        QString option = {}; // the check box of an open dialog that has one, as it was on opening: "[x] Average"
    };

    ScriptedModal() { KxModal::install(this); }
    ~ScriptedModal() override { KxModal::install(nullptr); }

    // Answers in order: a QString for a file dialog (null: cancel), an int for
    // the integer dialog and a QVector3D for the Lab dialog (a null QVariant:
    // cancel), a StandardButton for a box. An open dialog with a check box
    // answered with a path alone leaves the box as it was.
    void answer(const QVariant& reply) { replies.push_back(reply); }
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

    QString getOpenFileName(QWidget*, const QString& caption, const QString& folder) override
    {
        requests.push_back({Request::OpenFile, caption, folder, {}});
        return next().toString();
    }
    QString getSaveFileName(QWidget*, const QString& caption, const QString& folder) override
    {
        requests.push_back({Request::SaveFile, caption, folder, {}});
        return next().toString();
    }
    QString getOpenFileNameWithOption(QWidget*, const QString& caption, const QString& folder,
                                      const QString& optionText, bool& option) override
    {
        Request r{Request::OpenFile, caption, folder, {}};
        r.option = (option ? "[x] " : "[ ] ") + optionText;
        requests.push_back(r);
        const QVariant reply = next();
        if (reply.typeId() != QMetaType::QVariantList)
            return reply.toString();
        const QVariantList pathAndOption = reply.toList();
        option = pathAndOption.value(1).toBool();
        return pathAndOption.value(0).toString();
    }
    bool getInteger(QWidget*, const QString& caption, const QString& label, int value, int minimum,
                    int maximum, int step, int& result) override
    {
        Request r{Request::Integer, caption, label, {}};
        r.value = value;
        r.minimum = minimum;
        r.maximum = maximum;
        r.step = step;
        requests.push_back(r);
        const QVariant reply = next();
        if (!reply.isValid())
            return false;
        result = reply.toInt();
        return true;
    }
    bool getLab(QWidget*, const QString& caption, QVector3D& lab) override
    {
        requests.push_back({Request::Lab, caption, QString(), {}});
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
