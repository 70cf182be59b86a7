#ifndef KXLANGKIT_H
#define KXLANGKIT_H

#include <QString>
#include <string>

class QMenu;
class QMenuBar;

// The Language menu. Languages are found by their translation files
// <prefix>_<code>.qm in the language folder; entries are the languages'
// own names ("English" for the built-in language first, then "Deutsch",
// "Français", ... sorted).
class KxLangKit
{
public:
    // A checkable popup with one entry per language, parented to the menu
    // bar, or null when the folder holds no translation. The caller connects
    // and inserts it. Each entry's data() is its identifier (0, 1, ...).
    static QMenu* addLangMenu(QMenuBar* menuBar, const char* prefix, const char* folder);
    // Ticks the entry whose text equals choice (UTF-8); a null menu or a
    // choice that matches no entry changes nothing.
    static void updateLangMenuTicks(QMenu* menu, const std::string& choice);
    // The translation file (without its ".qm") for a menu entry's text; a
    // null string for the built-in language and for an empty choice.
    static QString langMenuStringToLangFile(const std::string& choice, const char* prefix, const char* folder);

    static QString builtinLanguageName();
    // The language's name in itself, with a capital first letter.
    static QString nativeName(const QString& code);
};

#endif
