#ifndef COLOURCHECKPROFILEMADEDIALOG_H
#define COLOURCHECKPROFILEMADEDIALOG_H

#include <QDialog>

class QCheckBox;

// Says that a printer profile was made, and how closely it follows the
// readings, and offers what may be done with it next: use it as the
// conversion tool's output profile, and show its gamut beside the gamut of
// the profile the chart was made from. An offer that cannot be taken is
// shown unavailable.
class ColourcheckProfileMadeDialog : public QDialog
{
    Q_OBJECT

public:
    struct Offers {
        bool outputProfile = false;
        bool gamutComparison = false;
    };

    ColourcheckProfileMadeDialog(const QString& text, const Offers& available, QWidget* parent);

    Offers chosen() const;

private:
    QCheckBox* outputProfileBox;
    QCheckBox* gamutComparisonBox;
};

#endif
