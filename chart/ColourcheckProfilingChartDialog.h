#ifndef COLOURCHECKPROFILINGCHARTDIALOG_H
#define COLOURCHECKPROFILINGCHARTDIALOG_H

#include <QDialog>

class QComboBox;
class QSpinBox;

// Asks how a chart to profile a printer is to be made: from the printer's
// profile (chosen next, CMYK or RGB) or, for a printer that has none yet,
// from a rough CMYK or RGB printer model; how many patches; and the ink limit in
// percent, for CMYK.
class ColourcheckProfilingChartDialog : public QDialog
{
    Q_OBJECT

public:
    // What the patches are spread by.
    enum Source { FromProfile = 0, CmykWithoutProfile = 1, RgbWithoutProfile = 2 };

    struct Choice {
        Source source = FromProfile;
        int count = 0;
        int inkLimit = 0; // percent
    };

    explicit ColourcheckProfilingChartDialog(QWidget* parent);

    Choice choice() const;

    // Runs the dialog through the current KxModal; true, with the answers in
    // choice, when the user accepted.
    static bool choose(QWidget* parent, Choice& choice);

private:
    QComboBox* sourceCombo;
    QSpinBox* countSpin;
    QSpinBox* inkLimitSpin;
};

#endif
