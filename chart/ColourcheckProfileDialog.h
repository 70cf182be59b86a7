#ifndef COLOURCHECKPROFILEDIALOG_H
#define COLOURCHECKPROFILEDIALOG_H

#include <PrinterProfiler.h>

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// Asks how a printer profile is to be made from the chart's readings: its
// description, the total ink and black ink limits in percent, the black
// generation and the quality of its tables. A printer driven through RGB
// has no inks of its own to limit or black to generate: its dialog asks
// for the description and the quality only.
class ColourcheckProfileDialog : public QDialog
{
    Q_OBJECT

public:
    ColourcheckProfileDialog(const QString& description, PrinterDevice device, QWidget* parent);

    PrinterProfiler::Settings settings() const;

    // Runs the dialog through the current KxModal; true, with the choice in
    // settings, when the user accepted.
    static bool choose(QWidget* parent, const QString& description, PrinterDevice device,
                       PrinterProfiler::Settings& settings);

private:
    QSpinBox* addPercentage(const char* objectName, double lowest, double highest, double value);

    QLineEdit* descriptionEdit;
    QSpinBox* inkLimitSpin;
    QSpinBox* blackLimitSpin;
    QComboBox* blackCombo;
    QComboBox* qualityCombo;
};

#endif
