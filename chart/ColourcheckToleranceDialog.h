#ifndef COLOURCHECKTOLERANCEDIALOG_H
#define COLOURCHECKTOLERANCEDIALOG_H

#include "ChartTolerance.h"

#include <QDialog>

#include <array>

class QComboBox;
class QDoubleSpinBox;

// Asks for the user's own tolerance: the difference formula and any of the
// limits; a limit left at 0 ("none") is not checked.
class ColourcheckToleranceDialog : public QDialog
{
    Q_OBJECT

public:
    ColourcheckToleranceDialog(const ChartTolerance& tolerance, QWidget* parent);

    ChartTolerance tolerance() const;

    // Runs the dialog through the current KxModal, starting from tolerance;
    // true, with the choice in tolerance, when the user accepted a set with
    // at least one limit.
    static bool choose(QWidget* parent, ChartTolerance& tolerance);

private:
    QComboBox* metricCombo;
    std::array<QDoubleSpinBox*, ChartTolerance::LIMIT_COUNT> limitSpins{};
};

#endif
