#ifndef KXSETTINGSKEYS_H
#define KXSETTINGSKEYS_H

// Every value the program keeps in its settings file (see KxRegistry): its
// section, its key, what it holds and what a missing key means. The names
// are the users' stored settings: a key is never renamed or built from
// parts, so the file reads and writes as it always has.
struct KxSettingsKey
{
    enum Type {
        Text,     // UTF-8 text; missing: empty
        FileName, // a path as the file system names it, byte for byte (KxFileName); missing: none
        Number,   // a decimal in the "C" locale; missing: fallback
        Integer,  // a signed long (KxRegistry::getlong); missing: fallback
    };

    const char* section;
    const char* key;
    Type type;
    double fallback; // for Number and Integer
};

namespace KxSettings {

// The conversion tool's section; the chart windows it opens keep their
// remembered folders and their choices there too.
inline constexpr char TOOL_SECTION[] = "tintora";
inline constexpr char MAIN_WINDOW_SECTION[] = "kxmainwindow";

// The conversion tool's profiles and the folders its dialogs start in.
inline constexpr KxSettingsKey INPUT_PROFILE{TOOL_SECTION, "inICC", KxSettingsKey::FileName, 0};
inline constexpr KxSettingsKey OUTPUT_PROFILE{TOOL_SECTION, "outICC", KxSettingsKey::FileName, 0};
inline constexpr KxSettingsKey MONITOR_PROFILE{TOOL_SECTION, "monitorICC", KxSettingsKey::FileName, 0};
inline constexpr KxSettingsKey PROFILE_FOLDER{TOOL_SECTION, "lastdir_icc", KxSettingsKey::FileName, 0};
inline constexpr KxSettingsKey SWATCH_FOLDER{TOOL_SECTION, "lastdir_file", KxSettingsKey::FileName, 0};
// The rendering intent (ICC numbering) and the accuracy (ICC_ACCURACY_*);
// a value the tool does not offer reads as its first entry.
inline constexpr KxSettingsKey INTENT{TOOL_SECTION, "intent", KxSettingsKey::Integer, 0};
inline constexpr KxSettingsKey ACCURACY{TOOL_SECTION, "accuracy", KxSettingsKey::Integer, 0};
// Whether the tool shows proofed colours (1) or display colours.
inline constexpr KxSettingsKey PROOF_COLOURS{TOOL_SECTION, "proof_colours", KxSettingsKey::Integer, 0};

// The instrument panel in the conversion tool.
inline constexpr KxSettingsKey INSTRUMENT_ADD{TOOL_SECTION, "instrument_add", KxSettingsKey::Integer, 0};
inline constexpr KxSettingsKey INSTRUMENT_L{TOOL_SECTION, "instrument_L", KxSettingsKey::Number, 50};
inline constexpr KxSettingsKey INSTRUMENT_A{TOOL_SECTION, "instrument_a", KxSettingsKey::Number, 0};
inline constexpr KxSettingsKey INSTRUMENT_B{TOOL_SECTION, "instrument_b", KxSettingsKey::Number, 0};
// The driver (InstrumentPanel::DRIVER); one out of range reads as manual entry.
inline constexpr KxSettingsKey INSTRUMENT_DRIVER{TOOL_SECTION, "instrument_driver", KxSettingsKey::Integer, 0};
inline constexpr KxSettingsKey SIMULATED_PROFILE{TOOL_SECTION, "instrument_sim_profile", KxSettingsKey::FileName, 0};
// The CIE 1976 difference the simulated instrument adds, and its random seed.
inline constexpr KxSettingsKey SIMULATED_DIFFERENCE{TOOL_SECTION, "instrument_sim_difference", KxSettingsKey::Number,
                                                    0};
inline constexpr KxSettingsKey SIMULATED_SEED{TOOL_SECTION, "instrument_sim_seed", KxSettingsKey::Number, 1};
inline constexpr KxSettingsKey SPOTREAD_PROGRAM{TOOL_SECTION, "instrument_spotread", KxSettingsKey::FileName, 0};

// The chart windows: the tolerance readings are checked against, in the
// text form ChartTolerance reads (missing or unreadable: the first preset),
// and whether they open proofing (1) or in display colours.
inline constexpr KxSettingsKey CHART_TOLERANCE{TOOL_SECTION, "chart_tolerance", KxSettingsKey::Text, 0};
inline constexpr KxSettingsKey CHART_PROOF_COLOURS{TOOL_SECTION, "chart_proof_colours", KxSettingsKey::Integer, 0};
// The folder each kind of chart file was last saved to or read from, in
// UTF-8 (missing: the user's documents folder).
inline constexpr KxSettingsKey CHART_POSTSCRIPT_FOLDER{TOOL_SECTION, "lastdir_postscript", KxSettingsKey::Text, 0};
inline constexpr KxSettingsKey CHART_TARGET_FOLDER{TOOL_SECTION, "lastdir_target", KxSettingsKey::Text, 0};
inline constexpr KxSettingsKey CHART_MEASUREMENTS_FOLDER{TOOL_SECTION, "lastdir_measurements", KxSettingsKey::Text, 0};
inline constexpr KxSettingsKey CHART_PDF_FOLDER{TOOL_SECTION, "lastdir_pdf", KxSettingsKey::Text, 0};
inline constexpr KxSettingsKey CHART_TI1_FOLDER{TOOL_SECTION, "lastdir_ti1", KxSettingsKey::Text, 0};

// The main window: its size in pixels (missing or 0: as laid out) and the
// language chosen in its menu (missing: the built-in language).
inline constexpr KxSettingsKey MAIN_WINDOW_WIDTH{MAIN_WINDOW_SECTION, "width", KxSettingsKey::Integer, 0};
inline constexpr KxSettingsKey MAIN_WINDOW_HEIGHT{MAIN_WINDOW_SECTION, "height", KxSettingsKey::Integer, 0};
inline constexpr KxSettingsKey LANGUAGE{MAIN_WINDOW_SECTION, "lang", KxSettingsKey::Text, 0};

} // namespace KxSettings

#endif
