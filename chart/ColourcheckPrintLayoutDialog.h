#ifndef COLOURCHECKPRINTLAYOUTDIALOG_H
#define COLOURCHECKPRINTLAYOUTDIALOG_H

#include "ChartPrintSettings.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;

// Asks how the chart is to be printed: the paper (a named size or a custom
// one) and the sizes of the patches, the gaps and the margins, showing how
// many pages the chart's patches then take.
class ColourcheckPrintLayoutDialog : public QDialog
{
    Q_OBJECT

public:
    ColourcheckPrintLayoutDialog(const ChartPrintSettings& settings, unsigned long patches, QWidget* parent);

    ChartPrintSettings settings() const;

    // Runs the dialog through the current KxModal, starting from settings;
    // true, with the choice in settings, when the user accepted.
    static bool choose(QWidget* parent, unsigned long patches, ChartPrintSettings& settings);

private:
    QDoubleSpinBox* addLength(const char* objectName, double minimum, double maximum, double value);
    void showPaper();
    void showFit();

    unsigned long patchCount;
    QComboBox* paperCombo;
    QDoubleSpinBox* widthSpin;
    QDoubleSpinBox* heightSpin;
    QDoubleSpinBox* patchSpin;
    QDoubleSpinBox* gapSpin;
    QDoubleSpinBox* marginSpin;
    QLabel* fitLabel;
    QDialogButtonBox* buttons;
};

#endif
