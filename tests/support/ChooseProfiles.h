#ifndef CHOOSEPROFILES_H
#define CHOOSEPROFILES_H

#include "ScriptedModal.h"
#include "Tintora.h"

#include <QPushButton>

// Chooses the three profiles of a tool through its buttons, as a user would.
inline void chooseProfiles(Tintora& tool, ScriptedModal& modal, const QString& input, const QString& output,
                           const QString& monitor)
{
    modal.answerFile(input);
    tool.input_icc_button->click();
    modal.answerFile(output);
    tool.output_icc_button->click();
    modal.answerFile(monitor);
    tool.monitor_icc_button->click();
}

#endif
