#ifndef ARGYLLPEER_H
#define ARGYLLPEER_H

// Argyll CMS as an independent peer: its lookups and gamut volumes, run as
// separate programs on the same profiles.

#include "EventLimits.h"
#include "PeerRows.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace ArgyllPeer {

using PeerRows::Values;

// xicclu with arguments (flags, then the profile), one output row per input
// row; empty when xicclu cannot be run. xicclu prints a row for every input
// row, with a trailing "(clip)" when the lookup had to clip.
inline std::vector<Values> xicclu(const QStringList& arguments, const std::vector<Values>& rows)
{
    return PeerRows::through(QStringLiteral("xicclu"), QStringList{QStringLiteral("-v0")} + arguments, rows);
}

// The volume in cubic CIELAB units that iccgamut prints for profile under
// intent 'a' (absolute) or 'r' (relative); negative when it cannot be had.
inline double iccgamutVolume(const QString& profile, char intent)
{
    // iccgamut writes its gamut file beside the profile: work on a copy.
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("profile.icc"));
    if (!QFile::copy(profile, copy))
        return -1.0;
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral("iccgamut"), {QStringLiteral("-v"), QStringLiteral("-i%1").arg(intent), copy});
    if (!process.waitForFinished(EventLimits::EVENT_MS) || process.exitCode() != 0)
        return -1.0;
    const QRegularExpression total(QStringLiteral("Total volume of gamut is ([0-9.]+)"));
    const QRegularExpressionMatch match = total.match(QString::fromLocal8Bit(process.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toDouble() : -1.0;
}

// colverify's verdict on a target and the measurements of it: the peak and
// average difference it prints (CIE 1976, or CIEDE2000 with ciede2000);
// false when it cannot be had.
inline bool colverify(const QString& target, const QString& measured, bool ciede2000, double& peak, double& average)
{
    QStringList arguments;
    if (ciede2000)
        arguments << QStringLiteral("-k");
    QProcess process;
    process.start(QStringLiteral("colverify"), arguments << target << measured);
    if (!process.waitForFinished(EventLimits::EVENT_MS) || process.exitCode() != 0)
        return false;
    const QRegularExpression total(QStringLiteral("Total errors[^:]*:\\s+peak = ([0-9.]+), avg = ([0-9.]+)"));
    const QRegularExpressionMatch match = total.match(QString::fromLocal8Bit(process.readAllStandardOutput()));
    if (!match.hasMatch())
        return false;
    peak = match.captured(1).toDouble();
    average = match.captured(2).toDouble();
    return true;
}

} // namespace ArgyllPeer

#endif
