#ifndef KXFILENAME_H
#define KXFILENAME_H

#include <QByteArray>
#include <QString>

// File names as the program holds them (QString) and as the file system
// and the settings keep them (bytes). QFile::encodeName and decodeName put
// U+FFFD in place of bytes that are not UTF-8, so a Latin-1 name, say,
// would be lost on its way through a QString. Here every byte string comes
// back exactly: a byte that is not part of a UTF-8 character is held as the
// lone surrogate U+DC00 plus the byte, which no decoded text contains.
// Names in UTF-8 read as usual.
namespace KxFileName {

QString decode(const QByteArray& bytes);
QByteArray encode(const QString& name);

} // namespace KxFileName

#endif
