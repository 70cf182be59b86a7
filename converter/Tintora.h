#ifndef TINTORA_H
#define TINTORA_H

#include "Tintora_UI.h"

#include "KxCmsIcc.h"
#include "KxGamutCheck.h"
#include "KxIcc.h"
#include "KxSoftProof.h"

#include <QString>
#include <QVector3D>

#include <functional>
#include <memory>
#include <optional>

class Colourcheck;
class InstrumentPanel;
class KxRegistry;
class QAction;
class QCloseEvent;
class QContextMenuEvent;

// The conversion tool: converts a colour entered in the input profile's
// space (or as Lab) into the output profile's space and into D50 Lab, and
// previews it through the monitor profile. Its colour values live only in
// the form's widgets; its settings live in the registry it is handed.
class Tintora : public Tintora_UI
{
    Q_OBJECT

public:
    enum CLIENTERROR {
        ERR_BAD_ICC = 0,
        ERR_INPUT_ICC,
        ERR_OUTPUT_ICC,
        ERR_MONITOR_ICC,
        ERR_CMS_MONITOR,
        ERR_CMS,
        ERR_END
    };

    struct ERRORDEF {
        CLIENTERROR error;
        QString title;
        QString text;
        int level; // the message box icon number: 3 is critical
    };

    // Ends with the ERR_END row.
    static const ERRORDEF ERRORDEFS[];

    Tintora(KxRegistry& registry, QWidget* parent = nullptr, const char* name = nullptr,
            Qt::WindowFlags flags = {});
    ~Tintora() override;

    // Shows the critical box of error; the buttons are message-box codes
    // (1 is OK, 0 none) and the three strings are not shown. Returns 0.
    static int showErrMsg(CLIENTERROR error, QWidget* parent, int button0, int button1, int button2,
                          const QString&, const QString&, const QString&);

    const KxCmsIcc& outputTransform() const { return outputCms; }
    const KxCmsIcc& monitorTransform() const { return monitorCms; }
    const KxCmsIcc& labTransform() const { return labCms; }
    const KxGamutCheck& gamutCheck() const { return outputGamut; }
    // "Proof colours" (Ctrl+Y): checked while the preview shows the colour
    // as the output prints it. The main window offers it in a menu.
    QAction* proofColoursAction() const { return proofAction; }
    // Opens a chart window with a chart to profile a printer from.
    void profilingChart();

    // The order of the slots below is the tool's slot table: keep it.
public slots:
    void clearallselections();
    void showGamut();
    void colourchartFromICC();
    void colourchartFromFile();

private slots:
    void getICCin();
    void getICCout();
    void getICCmonitor();
    void cmykChanged(int);
    void rgbChanged(int);
    void labChanged(int);
    void intentChanged(int index);
    void accuracyChanged(int index);
    void keepColour();
    void doHistory(int index);
    void processLab(double L, double a, double b);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    enum ProfileRole { InputRole, OutputRole, MonitorRole };

    // A chart window made a printer profile and the user chose it as the
    // output profile. Connected as a plain member, outside the slot table.
    void useOutputProfile(const QString& profilePath);
    // Opens a chart window, has build fill it with the monitor profile
    // (null for none), shows it and stores the folders it changed.
    void openChart(const std::function<void(Colourcheck&, const char*)>& build);

    void patchUI();
    void loadRegistry(KxRegistry& registry);
    void saveRegistry(KxRegistry& registry);
    void chooseProfile(ProfileRole role);
    void createCMS();
    void updateUI();
    void updateLabOut();
    // Shows the output profile's device values: C, M, Y, K for a CMYK
    // output, else R, G, B.
    void showOutputValues(const unsigned long values[4]);
    // Shows the input colour's D50 Lab in the Lab input's spin boxes.
    void showLabInput(double L, double a, double b);
    // What every edit of the input colour ends with: the Lab output and the
    // preview brought up to date, and which input was edited last.
    void finishInputEdit(bool byLab);
    void updateGamutLabel(double difference);
    void updateMonitorPreview();
    // The preview as the output prints the colour: the input's output
    // device values, unrounded, through the soft proof.
    void updateProofPreview();
    // The input colour's device values as the spin boxes hold them; the
    // number of channels, 0 when the input is neither RGB nor CMYK.
    int inputDeviceValues(double values[KxCmsIcc::MAXIMUM_CHANNELS]) const;
    void createProofAction();
    void showPreviewView();
    void paintPreview(const QColor& colour);
    void setRenderingIntent(long intent);
    void setAccuracy(long accuracy);

    KxCmsIcc outputCms;
    KxCmsIcc monitorCms;
    KxCmsIcc labCms;
    KxGamutCheck outputGamut;
    KxSoftProof softProof; // open while proofing with an output and a monitor transform
    QAction* proofAction = nullptr;
    std::optional<QVector3D> shownLab; // the D50 Lab the Lab labels last showed
    QString inputProfile;
    QString outputProfile;
    QString monitorProfile;
    QString profileFolder;
    QString swatchFolder;
    icColorSpaceSignature lastInputSpace = icSigCmykData;
    int updating = 0;
    int labEdited = 0;
    std::unique_ptr<InstrumentPanel> instrumentPanel;
    KxRegistry& registry;
};

#endif
