#ifndef CHARTFILEFOLDERS_H
#define CHARTFILEFOLDERS_H

#include <QString>

#include <memory>

class KxRegistry;

// Where a chart window's dialogs for the files it writes and reads start.
// Each kind of file remembers the folder it was last saved to or read from,
// in the settings registry the chart shares with the conversion tool. Until
// a folder is remembered, the user's documents folder.
class ChartFileFolders
{
public:
    enum Kind { PostScript, Target, Measurements, PrintLayout, ArgyllTarget };

    explicit ChartFileFolders(std::shared_ptr<KxRegistry> registry);

    QString startFolder(Kind kind) const;
    // Remembers the folder of a file the user chose.
    void remember(Kind kind, const QString& folder);
    // The file types a dialog for the kind offers, in QFileDialog's form.
    static QString filter(Kind kind);

private:
    std::shared_ptr<KxRegistry> m_registry;
};

#endif
