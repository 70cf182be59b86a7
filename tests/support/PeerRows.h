#ifndef PEERROWS_H
#define PEERROWS_H

// Colours handed to a peer program as rows of numbers, one row a line, and
// its answers read back the same way.

#include "EventLimits.h"

#include <QProcess>
#include <QStringList>

#include <vector>

namespace PeerRows {

using Values = std::vector<double>;

// Runs program with arguments, writes the rows to its standard input and
// reads one row of numbers back for each; words that are no number (such
// as xicclu's "(clip)") are passed over. Empty when the program cannot be
// run, fails, or answers with another number of rows.
inline std::vector<Values> through(const QString& program, const QStringList& arguments,
                                   const std::vector<Values>& rows)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(EventLimits::EVENT_MS)) {
        qWarning("%s cannot be started", qPrintable(program));
        return {};
    }
    QByteArray input;
    for (const Values& row : rows) {
        for (double value : row)
            input += QByteArray::number(value, 'f', 6) + ' ';
        input += '\n';
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(EventLimits::EVENT_MS) || process.exitCode() != 0)
        return {};
    std::vector<Values> results;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        Values values;
        for (const QByteArray& word : line.simplified().split(' ')) {
            bool ok = false;
            const double value = word.toDouble(&ok);
            if (ok)
                values.push_back(value);
        }
        if (!values.empty())
            results.push_back(values);
    }
    return results.size() == rows.size() ? results : std::vector<Values>{};
}

} // namespace PeerRows

#endif
