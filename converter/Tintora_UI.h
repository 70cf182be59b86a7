#ifndef TINTORA_UI_H
#define TINTORA_UI_H

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpacerItem;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;

// The conversion form: every control of the conversion tool in three
// columns (Input, Preview, Output), the profile buttons and labels under
// them and the instrument group across the bottom. It has no behaviour
// beyond its texts, the slider/spin-box couplings and the tab order;
// Tintora adds the logic.
class Tintora_UI : public QWidget
{
    Q_OBJECT

public:
    explicit Tintora_UI(QWidget* parent = nullptr, const char* name = nullptr, Qt::WindowFlags fl = {});
    ~Tintora_UI() override = default;

    QGroupBox* preview_group;
    QComboBox* history_combo;
    QLabel* pv_label;
    QLabel* proof_label; // which view the preview shows
    QPushButton* keep_button;
    QPushButton* monitor_icc_button;
    QGroupBox* input_group;
    QStackedWidget* input_stack;
    QWidget* WStackPage;
    QLabel* textLabel5;
    QLabel* textLabel5_2;
    QSpinBox* b_spin;
    QSpinBox* g_spin;
    QSpinBox* r_spin;
    QLabel* textLabel5_3;
    QSlider* g_slider;
    QSlider* r_slider;
    QSlider* b_slider;
    QWidget* WStackPage_2;
    QLabel* textLabel5_2_2_2;
    QSpinBox* m_spin;
    QSpinBox* c_spin;
    QSlider* m_slider;
    QSlider* c_slider;
    QSlider* k_slider;
    QLabel* textLabel5_2_2;
    QLabel* textLabel5_3_2;
    QSlider* y_slider;
    QSpinBox* k_spin;
    QSpinBox* y_spin;
    QLabel* textLabel5_4;
    QCheckBox* instrument_tick;
    QGroupBox* labin_group;
    QSlider* labin_l_slider;
    QLabel* labin_l_label;
    QSpinBox* labin_b_spin;
    QSpinBox* labin_l_spin;
    QLabel* labin_b_label;
    QSlider* labin_b_slider;
    QSpinBox* labin_a_spin;
    QSlider* labin_a_slider;
    QLabel* labin_a_label;
    QPushButton* input_icc_button;
    QPushButton* output_icc_button;
    QLabel* input_icc_label;
    QLabel* monitor_icc_label;
    QLabel* output_icc_label;
    QGroupBox* output_group;
    QComboBox* rendering_combo;
    QLabel* textLabel7;
    QLabel* textLabel7_2;
    QComboBox* accuracy_combo;
    QStackedWidget* output_stack;
    QWidget* WStackPage_3;
    QLabel* textLabel5_4_2_2;
    QLabel* textLabel5_3_2_2_2;
    QLabel* g_label;
    QLabel* b_label;
    QLabel* textLabel5_2_2_3_2;
    QLabel* r_label;
    QWidget* WStackPage_4;
    QLabel* textLabel5_2_2_3;
    QLabel* textLabel5_3_2_2;
    QLabel* textLabel5_4_2;
    QLabel* c_label;
    QLabel* textLabel5_2_2_2_2;
    QLabel* k_label;
    QLabel* m_label;
    QLabel* y_label;
    QLabel* lab_b_label;
    QLabel* textLabel5_4_2_3;
    QLabel* lab_a_label;
    QLabel* textLabel1;
    QLabel* textLabel5_3_2_2_3;
    QLabel* lab_l_label;
    QLabel* textLabel5_2_2_3_3;
    QLabel* gamut_label;
    QGroupBox* spectro_group;

protected:
    QGridLayout* Form2Layout;
    QVBoxLayout* preview_groupLayout;
    QVBoxLayout* input_groupLayout;
    QGridLayout* WStackPageLayout;
    QSpacerItem* spacer1;
    QGridLayout* WStackPageLayout_2;
    QGridLayout* labin_groupLayout;
    QGridLayout* output_groupLayout;
    QSpacerItem* spacer2;
    QGridLayout* WStackPageLayout_3;
    QSpacerItem* spacer3;
    QGridLayout* WStackPageLayout_4;
    QGridLayout* layout5;

protected slots:
    // Sets every caption, text, combo item and What's This text; the two
    // combo boxes are emptied and refilled with the form's own items.
    virtual void languageChange();

private:
    void buildPreviewGroup();
    void buildInputGroup();
    void buildRgbInputPage();
    void buildCmykInputPage();
    void buildLabInputGroup();
    void buildOutputGroup();
    void buildRgbOutputPage();
    void buildCmykOutputPage();
    void buildLabOutputGrid();
    void coupleSlidersWithSpinBoxes();
    void setTabOrderChain();
    // Gives every slider, spin box and combo box its caption's name for
    // assistive technology.
    void nameInputControls();
};

#endif
