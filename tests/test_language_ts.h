#ifndef TEST_LANGUAGE_TS_H
#define TEST_LANGUAGE_TS_H

// Reads a translation source (.ts) as the language tests need it.

#include <QFile>
#include <QMap>
#include <QStringList>
#include <QXmlStreamReader>

struct TsMessage {
    QString context;
    QString source;
    QString comment;
    QStringList translations; // one, or one per plural form
    QString type;             // "unfinished", "vanished", "obsolete" or empty
};

inline QString tsKey(const TsMessage& m)
{
    return m.context + '\x1f' + m.source + '\x1f' + m.comment;
}

// The messages by context, source text and comment; error says what failed.
inline QMap<QString, TsMessage> readTs(const QString& path, QString* error)
{
    QMap<QString, TsMessage> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "cannot open " + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == u"message")
                messages.insert(tsKey(message), message);
            continue;
        }
        const auto name = xml.name();
        if (name == u"name") {
            context = xml.readElementText();
        } else if (name == u"message") {
            message = TsMessage();
            message.context = context;
        } else if (name == u"source") {
            message.source = xml.readElementText();
        } else if (name == u"comment") {
            message.comment = xml.readElementText();
        } else if (name == u"translation") {
            message.type = xml.attributes().value("type").toString();
            // Plural forms are <numerusform> children, read here joined.
            message.translations << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError())
        *error = path + ": " + xml.errorString();
    return messages;
}

#endif
