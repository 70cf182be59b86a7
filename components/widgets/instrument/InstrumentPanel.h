#ifndef INSTRUMENTPANEL_H
#define INSTRUMENTPANEL_H

#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class KxRegistry;
struct KxCOMBOCOLOUR;
class InstrumentDriver;
class ManualDriver;
class SimulatedInstrument;
class SpotreadDriver;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The instrument panel: takes Lab readings and delivers each one through
// spotLab(). Without an instrument the user types L, a and b and presses
// "Read". In chart mode the panel also knows the chart being measured and
// shows which patch the next reading belongs to. The readings come from a
// driver chosen in the panel: manual entry, a simulated instrument or
// Argyll's spotread.
class InstrumentPanel : public QWidget
{
    Q_OBJECT

public:
    // The chart passes MODE_CHART (2); everything else reads single spots.
    enum INSTRUMENT_MODE { MODE_SPOT = 0, MODE_CHART = 2 };

    // Places the panel into parent, giving the group box a layout when it
    // has none. showAdd offers the "add" check box.
    InstrumentPanel(QGroupBox* parent, bool showAdd);
    ~InstrumentPanel() override = default;

    // True when every reading is also to be kept by the receiver.
    bool isAddMode() const;
    void showAddMode(bool show);

    void setMode(INSTRUMENT_MODE mode);
    INSTRUMENT_MODE mode() const { return currentMode; }

    // Copies the names and Lab values of the list starting at first (the
    // list may be released right after the call); current is the index of
    // the patch read next. A null list means there is no chart.
    void setComboChart(KxCOMBOCOLOUR* first, unsigned long current);
    unsigned long nextPatch() const { return next; }
    // Names where a patch (by index) can be found, such as its place on the
    // printed chart; shown beside the patch read next. Empty: nothing shown.
    using PatchPlace = std::function<QString(unsigned long patch)>;
    void setPatchPlace(PatchPlace place);

    // The drivers, in the order of the driver choice.
    enum DRIVER { DRIVER_MANUAL = 0, DRIVER_SIMULATED = 1, DRIVER_SPOTREAD = 2 };
    void setDriver(DRIVER driver);
    DRIVER driver() const;
    SimulatedInstrument& simulated() { return *simulatedDriver; }
    SpotreadDriver& spotread() { return *spotreadDriver; }
    // The last prompt, state or error of the driver.
    QString status() const;

    // The panel's own settings, under its keys in KxSettingsKeys.h.
    void loadRegistry(const KxRegistry& registry);
    void saveRegistry(KxRegistry& registry) const;

signals:
    void spotLab(double L, double a, double b);

public slots:
    void read();

private slots:
    void chooseProfile();
    void deliver(double L, double a, double b);
    void showStatus(const QString& text);

private:
    struct ChartPatch {
        QString name;
        double L, a, b;
    };

    void showNextPatch();
    void showDriverSettings();
    QWidget* makeSimulatedRow();
    QWidget* makeSpotreadRow();
    InstrumentDriver* currentDriver() const;

    QDoubleSpinBox* lSpin;
    QDoubleSpinBox* aSpin;
    QDoubleSpinBox* bSpin;
    QPushButton* readButton;
    QCheckBox* addCheck;
    QLabel* patchLabel;
    QLabel* placeLabel;
    QComboBox* driverCombo;
    QWidget* simulatedRow;
    QLabel* profileLabel;
    QDoubleSpinBox* differenceSpin;
    QSpinBox* seedSpin;
    QWidget* inkRow;
    QSpinBox* inkSpins[4]; // C, M, Y, K in %
    QWidget* spotreadRow;
    QLineEdit* spotreadEdit;
    QLabel* statusLabel;

    ManualDriver* manualDriver;
    SimulatedInstrument* simulatedDriver;
    SpotreadDriver* spotreadDriver;

    bool addOffered = true;
    INSTRUMENT_MODE currentMode = MODE_SPOT;
    std::vector<ChartPatch> chart;
    PatchPlace patchPlace;
    unsigned long next = 0;
};

#endif
