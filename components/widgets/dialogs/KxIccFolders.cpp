#include "KxIccFolders.h"

#include <QDir>
#include <QFileInfo>

namespace KxIccFolders {

QStringList existing()
{
    QStringList candidates;
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(dataHome))
        candidates << dataHome + QStringLiteral("/icc");
    candidates << QDir::homePath() + QStringLiteral("/.local/share/icc") << QStringLiteral("/usr/share/color/icc");

    QStringList folders;
    for (const QString& candidate : candidates) {
        const QString folder = QDir::cleanPath(candidate);
        if (QFileInfo(folder).isDir() && !folders.contains(folder))
            folders << folder;
    }
    return folders;
}

QString startFolder(const QString& remembered)
{
    if (!remembered.isEmpty())
        return remembered;
    const QStringList folders = existing();
    return folders.isEmpty() ? remembered : folders.first();
}

} // namespace KxIccFolders
