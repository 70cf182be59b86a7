#ifndef COLOURCHECK_H
#define COLOURCHECK_H

#include "ChartFileFolders.h"
#include "ChartMeasurementSession.h"
#include "ChartPdf.h"
#include "ChartPrintSettings.h"
#include "ChartTolerance.h"
#include "ChartVerdictWords.h"
#include "KxChartPoint.h"
#include "KxSoftProof.h"

#include <KxWriteResult.h>

#include <QPointer>
#include <QScrollArea>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ColourcheckContents;
class ColourcheckPatch;
class ColourcheckProfileMaker;
class InstrumentPanel;
class KxRegistry;
class QAction;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLayout;
struct KxCMS;
struct KxCOMBOCOLOUR;

// The colour check chart window: a grid of patches, generated from a
// profile or read from a swatch file, with the instrument panel underneath
// for measuring them. The chart view lives in a top-level container that
// deletes itself (and the chart) when it is closed; readings not yet saved
// are not lost to a close without the user's word.
class Colourcheck : public QScrollArea
{
    Q_OBJECT

public:
    using KxChartPoint = ::KxChartPoint;

    Colourcheck(KxRegistry& registry, QWidget* parent, const char* name);
    ~Colourcheck() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Shows the container, then the chart view.
    void show();

    // Empties the chart: no records, no patches, and the panel is told.
    void clear();
    // Makes and lays out a patch per record; patch 0 becomes current.
    void drawChart();
    // Gives the panel the chart as named Lab colours and the current patch.
    void updateSpectroChart();
    // The readings taken of the chart shown, which its patches show.
    const ChartMeasurementSession& measurementSession() const { return session; }
    // The tolerance the readings are checked against.
    const ChartTolerance& tolerance() const { return checkedTolerance; }

    // Generation from a profile. The interactive form asks for the profile
    // and the patch count (0 when cancelled); the others return 0 or -1.
    int fromICC(const char* monitorProfilePath, QString& profileFolder);
    int fromICC(const char* profilePath, const char* monitorProfilePath, unsigned long count);
    int fromKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count);
    int fromCmykKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count);
    // An RGB printer profile gives patches as a CMYK profile does; an RGB
    // input or display profile gives the empty chart.
    int fromRgbKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count);
    // A chart to profile a printer from: asks whether to spread it by the
    // printer's profile (CMYK, or RGB for a printer driven through RGB) or,
    // with no profile, by a rough CMYK printer model, the patch count and
    // the ink limit (which an RGB printer's driver keeps itself), then for
    // the profile (0 when cancelled); -1 when the profile is refused or
    // memory runs out.
    int profilingChart(const char* monitorProfilePath, QString& profileFolder);
    int profilingChartWithoutProfile(const char* monitorProfilePath, ChartDevice device, int count, int inkLimit);
    void removeDuplicates(double tolerance, bool& reverse, unsigned long target);
    void removeDuplicates(unsigned long target, double tolerance);

    // Charts from a swatch file through a CMYK printer profile.
    int fromFile(const char* monitorProfilePath, QString& swatchFolder, QString& profileFolder);
    int fromFile(const char* swatchPath, const char* profilePath, const char* monitorProfilePath);
    int fromComboColour(KxCOMBOCOLOUR* first, const char* profilePath, const char* monitorProfilePath);

    KxChartPoint* points = nullptr;
    QString lastDir;
    std::string monitorProfile;
    QWidget* container = nullptr;
    QPointer<InstrumentPanel> panel;
    // The settings, shared with the window that opened the chart so that
    // they outlive it while the chart is open.
    std::shared_ptr<KxRegistry> registry;
    std::vector<ColourcheckPatch*> patches;
    unsigned long current = 0;
    // Set by the patch-count dialog: a chart generated from a CMYK profile
    // then ends with the control patches.
    bool controlPatches = false;

signals:
    // The user asked for a profile made from the chart's readings to be the
    // conversion tool's output profile. Offered only while something is
    // connected: the tool that opened the window, or the window that
    // opened this one.
    void outputProfileChosen(const QString& profilePath);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    virtual void contentsMousePressEvent(QMouseEvent* event);

private slots:
    void exportChart();
    void exportISO12642();
    void colourChart();
    void colourchartFromFile();
    void newProfilingChart();
    void processLab(double L, double a, double b);
    // Writes the readings taken as a measurement file; true when written.
    bool saveMeasurements();
    // Gives each reading of a measurement file to the patch it names.
    void loadMeasurements();
    // Asks for the paper and sizes, then writes the chart as PDF pages.
    void printLayout();
    // Writes the chart as an Argyll target description for strip layout.
    void exportArgyllTarget();
    // Writes a verification report of the readings as PDF pages.
    void writeVerificationReport();
    // Takes the tolerance at index of the tolerance box: a preset, or the
    // user's own asked for in a dialog.
    void chooseTolerance(int index);
    // Asks for a file and the options, then makes a printer profile from
    // the readings on a worker thread.
    void makeProfile();
    void profileMade(const QString& path, double selfFitMean, double selfFitLargest);
    void profileFailed(const QString& path, const QString& whyNot);

private:
    // A command of the chart's context menu and of its menu bar, under the
    // same text, with when it applies.
    struct Command {
        QAction* action;
        std::function<bool()> applies;
    };
    // The commands in the context menu's order, and the menu bar that
    // offers them all, those that do not apply now greyed out.
    // The scrolled chart and the note shown while it is empty.
    void createChartView();
    // The grid of a printer's colorants culled to count, with the control
    // patches if asked: what a CMYK or an RGB printer profile gives.
    int fromPrinterKxCMS(KxCMS* profile, KxCMS* monitor, unsigned long count);
    QLayout* createCheckRow();
    void createInstrumentPanel(QBoxLayout* windowLayout);
    void createCommands(QLayout* windowLayout);
    void updateCommands();
    // The display colours the patches were made with came through this
    // monitor profile (null or empty: none).
    void setDisplayMonitor(const char* monitorProfilePath);
    // Shows the patches as their profile predicts the print while "Proof
    // colours" is on, otherwise in their display colours.
    void showProofColours();
    // What the patches show, and the label's text for each.
    enum View { DisplayColours, Proofed, NoProof };
    static QStringList viewTexts();
    // True when the readings include one of the paper and no profile is
    // being made.
    bool canMakeProfile() const;
    // A gamut window: the chart's profile as the solid, profilePath over it.
    void showGamutBesideChartProfile(const QString& profilePath);
    // Opens a further chart window that passes its offers on through this one.
    Colourcheck* newChartWindow();
    int buildFromSwatchFile(const char* swatchPath, const char* profilePath, const char* monitorProfilePath);
    void tellFailure(const QString& caption, const QString& text);
    // The box for an export that failed, saying why.
    void tellWriteFailure(const QString& caption, const QString& path, const KxWriteResult& failure);
    // The file an export goes to, as the user chose it; null when the chart
    // has no patches or no file was chosen.
    QString chooseExportFile(ChartFileFolders::Kind kind);
    void updateSummary();
    // Shows whether the readings keep within the tolerance.
    void updateVerdict();
    // Whether the readings can be judged: there are some, and the chart's
    // colours are a profile's, not a rough printer model's.
    bool hasVerdict() const;
    // The verdict's words in the user's language.
    static ChartVerdictWords verdictWords();
    // The tolerance kept in the settings, shown in the tolerance box.
    void restoreTolerance();
    void showTolerance();
    // Why the chart is empty, shown in the grid area while it is.
    void setEmptyReason(const QString& reason);
    // The file a dialog gave, in the file system's encoding, its folder kept
    // in folder; none chosen (a null path): empty, the chart saying whyNone.
    QByteArray chosenFile(const QString& path, const QString& whyNone, QString& folder);
    void showEmptyReason();
    // Where a patch lies on the pages of the print layout last chosen.
    QString printPlace(unsigned long patch) const;
    // The file name of the profile the patches were worked out through.
    QString profileFileName() const;
    // What the header of a printed page or report names: chart, profile, now.
    ChartPrintTitle printTitle() const;
    // Asks what becomes of readings not yet saved; false to keep the window.
    bool confirmClose();

    ChartFileFolders fileFolders;
    std::vector<Command> commands;
    QAction* proofAction = nullptr;
    QLabel* viewLabel = nullptr; // which colours the patches show
    std::string displayMonitor;
    KxSoftProof softProof; // opened for displayMonitor when first proofed
    ColourcheckContents* contents = nullptr;
    QLabel* summary = nullptr;
    QLabel* verdict = nullptr;
    QComboBox* toleranceCombo = nullptr;
    ChartTolerance checkedTolerance;
    QLabel* emptyNote = nullptr;
    QString emptyReason;
    ChartMeasurementSession session;
    ChartPrintSettings printSettings;
    ColourcheckProfileMaker* profileMaker = nullptr;
    // The profile the patches were worked out through (encoded path); empty
    // while there is none, and for a profiling chart made without one.
    std::string chartProfile;
    // The patches' colours are ChartDeviceModel's: a profiling chart made
    // for a printer that has no profile yet.
    bool modelledWithoutProfile = false;
};

#endif
