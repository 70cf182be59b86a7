#ifndef KXICCFOLDERS_H
#define KXICCFOLDERS_H

#include <QStringList>

// The places where ICC profiles live on a Linux desktop: the user's own
// ($XDG_DATA_HOME/icc, ~/.local/share/icc) and the system's
// (/usr/share/color/icc). File dialogs list them in their side bar, and a
// profile dialog with no remembered folder starts in the first of them.
namespace KxIccFolders {

// Those of the folders that exist, in the order above, without repeats.
QStringList existing();

// The remembered folder when there is one, else the first existing ICC
// folder, else the remembered (empty) folder as it is.
QString startFolder(const QString& remembered);

} // namespace KxIccFolders

#endif
